#include "app/search_status_line.h"

#include <algorithm>
#include <string>

namespace quorvane {
namespace {

constexpr char kUnreachable[] = "\xCE\xDE\xB7\xA8\xC1\xAC\xBD\xD3\xCB\xD1\xCB\xF7\xB7\xFE\xCE\xF1\xA3\xBA";  // 无法连接搜索服务：
constexpr char kFinished[] = "\xCB\xD1\xCB\xF7\xCD\xEA\xB3\xC9\xA3\xBA";                                   // 搜索完成：
constexpr char kStopped[] = "\xCB\xD1\xCB\xF7\xD2\xD1\xCD\xA3\xD6\xB9";                                    // 搜索已停止
constexpr char kRows[] = " \xCC\xF5";                                                                      // " 条"
constexpr char kComma[] = "\xA3\xAC";                                                                      // ，
constexpr char kSemicolon[] = "\xA3\xBB";                                                                  // ；
constexpr char kListSeparator[] = "\xA1\xA2";                                                              // 、
constexpr char kOpenBracket[] = "\xA3\xA8";                                                                // （
constexpr char kCloseBracket[] = "\xA3\xA9";                                                               // ）
constexpr char kPageBefore[] = "\xB5\xDA ";                                                                // "第 "
constexpr char kPageAfter[] = " \xD2\xB3";                                                                 // " 页"
constexpr char kFailed[] = "\xCA\xA7\xB0\xDC ";                                                            // "失败 "
constexpr char kAndMore[] = "\xB5\xC8";                                                                    // 等
constexpr char kPresenceFailed[] = "\xD4\xDA\xCF\xDF\xD7\xB4\xCC\xAC\xB2\xE9\xD1\xAF\xCA\xA7\xB0\xDC ";     // "在线状态查询失败 "
constexpr char kTimes[] = " \xB4\xCE";                                                                     // " 次"
constexpr char kMerged[] = "\xBA\xCF\xB2\xA2\xD6\xD8\xB8\xB4\xC2\xF4\xBC\xD2 ";                            // "合并重复卖家 "
constexpr char kSellers[] = " \xB8\xF6";                                                                  // " 个"

// A status bar line has room for a few page numbers, not for a thousand.
constexpr size_t kPagesNamed = 6;

LocalText joined(const std::vector<LocalText>& parts, const LocalText& separator) {
  LocalText text;
  for (const LocalText& part : parts) text += (text.empty() ? "" : separator) + part;
  return text;
}

}  // namespace

void SearchStatusLine::begin(const LocalText& searchHost, int provinceCount) {
  *this = SearchStatusLine();
  state_ = State::Searching;
  host_ = searchHost;
  provinceCount_ = provinceCount;
}

void SearchStatusLine::apply(const SearchEvent& event) {
  if (state_ != State::Searching) return;
  if (const auto* started = std::get_if<ProvinceStarted>(&event)) {
    province_ = started->keyword.empty() ? started->name : started->keyword + " " + started->name;
    probesDone_ = std::max(probesDone_, started->index);  // the one before is past its probe
    provincesTried_ = started->index + 1;
  } else if (std::holds_alternative<PageStarted>(event)) {
    probesDone_ = provincesTried_;
  } else if (const auto* count = std::get_if<CountChanged>(&event)) {
    rows_ = count->rows;
  } else if (std::holds_alternative<ProbeFailed>(event)) {
    if (std::find(unreachable_.begin(), unreachable_.end(), province_) == unreachable_.end())
      unreachable_.push_back(province_);
    probesDone_ = provincesTried_;
  } else if (const auto* page = std::get_if<PageFailed>(&event)) {
    if (failedPages_.empty() || failedPages_.back().province != province_) failedPages_.push_back({province_, {}});
    failedPages_.back().pages.push_back(page->page);
    ++failedPageCount_;
  } else if (std::holds_alternative<PresenceFailed>(event)) {
    ++failedPresences_;
  } else if (const auto* merged = std::get_if<SellersMerged>(&event)) {
    merged_ = merged->merged;
  }
}

void SearchStatusLine::finish() {
  if (state_ != State::Searching) return;
  state_ = State::Finished;
  probesDone_ = provincesTried_;
}

void SearchStatusLine::stop() {
  if (state_ == State::Searching) state_ = State::Stopped;
}

LocalText SearchStatusLine::text(const LocalText& where) const {
  switch (state_) {
    case State::Idle:
      return "";
    case State::Searching: {
      const std::vector<LocalText> failed = failures();
      return failed.empty() ? where : where + kSemicolon + joined(failed, kComma);
    }
    case State::Finished: {
      LocalText text = kFinished + std::to_string(rows_) + kRows;
      for (const LocalText& failure : failures()) text += kComma + failure;
      return text;
    }
    case State::Stopped:
      return merged_ > 0 ? kStopped + (kComma + (kMerged + std::to_string(merged_) + kSellers)) : kStopped;
  }
  return "";
}

std::vector<LocalText> SearchStatusLine::failures() const {
  std::vector<LocalText> parts;
  if (!unreachable_.empty()) parts.push_back(unreachableText());
  if (failedPageCount_ > 0) parts.push_back(failedPagesText());
  if (failedPresences_ > 0) parts.push_back(kPresenceFailed + std::to_string(failedPresences_) + kTimes);
  if (merged_ > 0) parts.push_back(kMerged + std::to_string(merged_) + kSellers);
  return parts;
}

// The provinces are named when some of those whose probe is done could be reached.
LocalText SearchStatusLine::unreachableText() const {
  LocalText text = kUnreachable + host_;
  if (static_cast<int>(unreachable_.size()) < probesDone_)
    text += kOpenBracket + joined(unreachable_, kListSeparator) + kCloseBracket;
  return text;
}

// "第 2、3 页失败 2 页", or with several provinces "安徽第 2 页、浙江第 1、3 页失败 3 页".
LocalText SearchStatusLine::failedPagesText() const {
  std::vector<LocalText> groups;
  size_t named = 0;
  for (const ProvincePages& group : failedPages_) {
    if (named == kPagesNamed) break;
    std::vector<LocalText> pages;
    for (std::int64_t page : group.pages) {
      if (named == kPagesNamed) break;
      pages.push_back(std::to_string(page));
      ++named;
    }
    groups.push_back((provinceCount_ > 1 ? group.province : LocalText()) + kPageBefore +
                     joined(pages, kListSeparator));
  }
  const bool allNamed = static_cast<std::int64_t>(named) == failedPageCount_;
  return joined(groups, kPageAfter + LocalText(kListSeparator)) + kPageAfter + (allNamed ? "" : kAndMore) + kFailed +
         std::to_string(failedPageCount_) + kPageAfter;
}

}  // namespace quorvane
