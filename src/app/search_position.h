#pragma once
// How far a search has come, worked out from its events on the window's
// thread: the fraction the taskbar button shows, and the text of the tooltip
// on 搜索结果 (the province and page being read, and once the search is over,
// what was searched and how long it took).
//
// Each province is an equal share of the bar (each province of each keyword,
// in a run of several). Within a province, the pages
// already read out of the probe's page count fill its share; before the
// probe the count is unknown and the share stays empty. A province left
// early (its probe named no page, or a shop above the credit limit ended it)
// counts as done once the next one starts.
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "search/search_criteria.h"
#include "search/search_events.h"
#include "text/text.h"

namespace quorvane {

// A bar's fill as whole steps, as the taskbar takes it.
struct ProgressFraction {
  std::uint64_t done;
  std::uint64_t total;
  bool operator==(const ProgressFraction&) const = default;
};

class SearchPosition {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::uint64_t kStepsPerProvince = 1000;

  // A search was started with these criteria; `creditText` is the credit
  // item it accepts (e.g. "0-2心"), empty for none.
  void begin(const SearchCriteria& criteria, const LocalText& creditText, Clock::time_point now);
  void apply(const SearchEvent& event);
  // The search went through (finished) or the user stopped it.
  void finish(Clock::time_point now);
  void stop(Clock::time_point now);

  bool searching() const { return state_ == State::Searching; }
  // The bar while searching; nothing before the first search and after one.
  std::optional<ProgressFraction> fraction() const;
  // "正在搜索：安徽 第 2/3 页" while searching (without the page before the
  // probe has named the count; with several keywords, the keyword before the
  // province); the summary afterwards; "" before any search.
  LocalText description() const;

 private:
  enum class State { Idle, Searching, Finished, Stopped };
  LocalText summary() const;

  State state_ = State::Idle;
  SearchCriteria criteria_;
  LocalText creditText_;
  Clock::time_point startedAt_{};
  Clock::duration took_{};
  int province_ = 0;
  int provinceCount_ = 0;
  LocalText provinceName_;
  std::int64_t page_ = 0;   // the page being read; 0 before the first
  std::int64_t pages_ = 0;  // the probe's count; 0 while unknown
};

// A search's duration in whole seconds: "N秒", "M分N秒" or "H小时M分N秒";
// under a second reads "不到1秒".
LocalText durationText(std::chrono::steady_clock::duration duration);

}  // namespace quorvane
