#pragma once
// What a running search tells the window, in the order it happens. The
// worker only produces these values; the window's thread applies them to the
// result table it owns.
#include <cstdint>
#include <variant>

#include "results/result_table.h"
#include "results/shop_row.h"

namespace quorvane {

// A shop within the credit limit went into grid row `row`: its first six
// columns, and the indices of the keyword and the province it was found
// under (into searchKeywords of the criteria and their provinces).
struct ShopFound {
  int row;
  ShopRow shop;
  int keyword = 0;
  int province = 0;
  bool operator==(const ShopFound&) const = default;
};

// The seller of row `row` has a known presence.
struct StatusKnown {
  int row;
  RowStatus status;
  bool operator==(const StatusKnown&) const = default;
};

// The number of rows written so far (the label 搜索结果).
struct CountChanged {
  int rows;
  bool operator==(const CountChanged&) const = default;
};

// The worker began province `index` (from 0) of the `count` it searches,
// before asking for its page count. A run of several keywords searches every
// province once for each: `index` and `count` then count those passes, and
// `keyword` names the pass's keyword ("" in a run of one keyword).
struct ProvinceStarted {
  int index;
  int count;
  LocalText name;
  LocalText keyword;
  bool operator==(const ProvinceStarted&) const = default;
};

// The worker is fetching result page `page` (from 1, in the order the pages
// are read) of the `pages` the current province's probe named.
struct PageStarted {
  std::int64_t page;
  std::int64_t pages;
  bool operator==(const PageStarted&) const = default;
};

// The probe of province `index` (as ProvinceStarted counts them) failed: no
// answer, or an error status. Its page count reads as 0, so none of its
// pages is asked for.
struct ProbeFailed {
  int index;
  bool operator==(const ProbeFailed&) const = default;
};

// Result page `page` of the current province (as PageStarted counts them)
// failed; it gave no rows and the next page follows.
struct PageFailed {
  std::int64_t page;
  bool operator==(const PageFailed&) const = default;
};

// The presence request for the seller of row `row` failed; the row's status
// columns stay empty.
struct PresenceFailed {
  int row;
  bool operator==(const PresenceFailed&) const = default;
};

// A shop whose seller already has a row in this run (found under another
// province, page or keyword) was not given a second one; `merged` counts
// them so far.
struct SellersMerged {
  int merged;
  bool operator==(const SellersMerged&) const = default;
};

// The search went through every province, or filled the grid's last row.
// A stopped search sends no end.
struct SearchEnded {
  bool operator==(const SearchEnded&) const = default;
};

using SearchEvent = std::variant<ShopFound, StatusKnown, CountChanged, SearchEnded, ProvinceStarted, PageStarted,
                                 ProbeFailed, PageFailed, PresenceFailed, SellersMerged>;

// Where a worker sends its events; called on the worker's thread.
class SearchEvents {
 public:
  virtual ~SearchEvents() = default;
  virtual void send(SearchEvent event) = 0;
};

}  // namespace quorvane
