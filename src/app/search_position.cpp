#include "app/search_position.h"

#include <algorithm>
#include <string>

namespace quorvane {
namespace {

constexpr char kReading[] = "\xD5\xFD\xD4\xDA\xCB\xD1\xCB\xF7\xA3\xBA";                  // 正在搜索：
constexpr char kPageBefore[] = " \xB5\xDA ";                                              // " 第 "
constexpr char kPageAfter[] = " \xD2\xB3";                                                // " 页"
constexpr char kFinished[] = "\xCB\xD1\xCB\xF7\xCD\xEA\xB3\xC9\xA3\xBA";                 // 搜索完成：
constexpr char kStopped[] = "\xCB\xD1\xCB\xF7\xD2\xD1\xCD\xA3\xD6\xB9\xA3\xBA";          // 搜索已停止：
constexpr char kKeyword[] = "\xB9\xD8\xBC\xFC\xB4\xCA";                                  // 关键词
constexpr char kOpenQuote[] = "\xA1\xB0";                                                 // “
constexpr char kCloseQuote[] = "\xA1\xB1";                                                // ”
constexpr char kComma[] = "\xA3\xAC";                                                     // ，
constexpr char kRegions[] = "\xB5\xD8\xC7\xF8 ";                                          // "地区 "
constexpr char kListSeparator[] = "\xA1\xA2";                                             // 、
constexpr char kCredit[] = "\xD0\xC5\xD3\xFE ";                                           // "信誉 "
constexpr char kTook[] = "\xD3\xC3\xCA\xB1 ";                                             // "用时 "
constexpr char kSeconds[] = "\xC3\xEB";                                                   // 秒
constexpr char kMinutes[] = "\xB7\xD6";                                                   // 分
constexpr char kHours[] = "\xD0\xA1\xCA\xB1";                                             // 小时
constexpr char kUnderASecond[] = "\xB2\xBB\xB5\xBD" "1\xC3\xEB";                          // 不到1秒

LocalText joined(const std::vector<LocalText>& names) {
  LocalText text;
  for (const LocalText& name : names) text += (text.empty() ? "" : kListSeparator) + name;
  return text;
}

}  // namespace

void SearchPosition::begin(const SearchCriteria& criteria, const LocalText& creditText, Clock::time_point now) {
  state_ = State::Searching;
  criteria_ = criteria;
  creditText_ = creditText;
  startedAt_ = now;
  took_ = {};
  province_ = 0;
  const std::vector<LocalText> keywords = searchKeywords(criteria.keyword);
  provinceCount_ = static_cast<int>(criteria.provinces.size() * std::max<size_t>(keywords.size(), 1));
  provinceName_ = criteria.provinces.empty() ? LocalText() : criteria.provinces.front();
  if (keywords.size() > 1 && !criteria.provinces.empty()) provinceName_ = keywords.front() + " " + provinceName_;
  page_ = 0;
  pages_ = 0;
}

void SearchPosition::apply(const SearchEvent& event) {
  if (state_ != State::Searching) return;
  if (const auto* started = std::get_if<ProvinceStarted>(&event)) {
    province_ = started->index;
    provinceCount_ = started->count;
    provinceName_ = started->keyword.empty() ? started->name : started->keyword + " " + started->name;
    page_ = 0;
    pages_ = 0;
  } else if (const auto* page = std::get_if<PageStarted>(&event)) {
    page_ = page->page;
    pages_ = page->pages;
  }
}

void SearchPosition::finish(Clock::time_point now) {
  if (state_ != State::Searching) return;
  state_ = State::Finished;
  took_ = now - startedAt_;
}

void SearchPosition::stop(Clock::time_point now) {
  if (state_ != State::Searching) return;
  state_ = State::Stopped;
  took_ = now - startedAt_;
}

std::optional<ProgressFraction> SearchPosition::fraction() const {
  if (state_ != State::Searching) return std::nullopt;
  const std::uint64_t provinces = static_cast<std::uint64_t>(std::max(provinceCount_, 1));
  const std::uint64_t total = provinces * kStepsPerProvince;
  std::uint64_t done = static_cast<std::uint64_t>(std::max(province_, 0)) * kStepsPerProvince;
  if (pages_ > 0 && page_ > 0) {
    // The page being read is not done yet. In floating point, because a
    // hostile page count near 2^63 times the steps would not fit.
    const double pagesDone = static_cast<double>(std::min(page_ - 1, pages_));
    done += static_cast<std::uint64_t>(pagesDone * kStepsPerProvince / static_cast<double>(pages_));
  }
  return ProgressFraction{std::min(done, total), total};
}

LocalText SearchPosition::description() const {
  switch (state_) {
    case State::Idle:
      return "";
    case State::Searching: {
      LocalText text = kReading + provinceName_;
      if (page_ > 0 && pages_ > 0)
        text += kPageBefore + std::to_string(page_) + "/" + std::to_string(pages_) + kPageAfter;
      return text;
    }
    case State::Finished:
      return kFinished + summary();
    case State::Stopped:
      return kStopped + summary();
  }
  return "";
}

LocalText SearchPosition::summary() const {
  LocalText text = kKeyword + (kOpenQuote + criteria_.keyword + kCloseQuote);
  text += kComma + (kRegions + joined(criteria_.provinces));
  if (!creditText_.empty()) text += kComma + (kCredit + creditText_);
  text += kComma + (kTook + durationText(took_));
  return text;
}

LocalText durationText(std::chrono::steady_clock::duration duration) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration).count();
  if (seconds < 1) return kUnderASecond;
  const auto hours = seconds / 3600, minutes = seconds / 60 % 60, rest = seconds % 60;
  LocalText text;
  if (hours > 0) text += std::to_string(hours) + kHours;
  if (hours > 0 || minutes > 0) text += std::to_string(minutes) + kMinutes;
  return text + std::to_string(rest) + kSeconds;
}

}  // namespace quorvane
