#pragma once
// What the status bar says about a search, worked out from its events on the
// window's thread. While the search runs: where it is (as SearchPosition
// words it) and, after "；", what failed so far. At its end: "搜索完成：N 条"
// and what failed: the probes ("无法连接搜索服务：<host>", with the provinces
// when not all of them failed), the result pages ("第 2、3 页失败 2 页",
// each group of pages named by its province when the search had more than
// one), the presence requests ("在线状态查询失败 K 次"). A search the user
// stopped says "搜索已停止". Sellers found again and kept in the row they
// had are counted after the rest ("合并重复卖家 M 个").
//
// Failures are only counted and told: the grid and the requests stay as a
// search without failures would leave them.
#include <cstdint>
#include <vector>

#include "search/search_events.h"
#include "text/text.h"

namespace quorvane {

class SearchStatusLine {
 public:
  // A search of `provinceCount` provinces against the shop-search service
  // at `searchHost` started.
  void begin(const LocalText& searchHost, int provinceCount);
  void apply(const SearchEvent& event);
  void finish();
  void stop();

  // `where`: what the search is doing now, used while it runs ("正在搜索：
  // 安徽 第 2/3 页"). "" before the first search.
  LocalText text(const LocalText& where) const;

 private:
  enum class State { Idle, Searching, Finished, Stopped };
  struct ProvincePages {
    LocalText province;
    std::vector<std::int64_t> pages;
  };
  std::vector<LocalText> failures() const;
  LocalText unreachableText() const;
  LocalText failedPagesText() const;

  State state_ = State::Idle;
  LocalText host_;
  int provinceCount_ = 0;
  int provincesTried_ = 0;  // started so far
  int probesDone_ = 0;      // of those, the ones whose probe has been answered or failed
  LocalText province_;
  int rows_ = 0;
  std::vector<LocalText> unreachable_;  // provinces whose probe failed, in order
  std::vector<ProvincePages> failedPages_;
  std::int64_t failedPageCount_ = 0;
  int failedPresences_ = 0;
  int merged_ = 0;
};

}  // namespace quorvane
