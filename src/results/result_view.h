#pragma once
// What the grid shows of the result table: every row in the search's order,
// or only the sellers worth contacting (online, not yet contacted), sorted
// by a column or not. The view only orders and hides; the table, its ticks
// and the selection stay as they are, and every line of the view names its
// table row, so whatever acts on a line acts on that row's seller.
//
// Sorting compares numbers as numbers (宝贝数量, 月销量), 卖家信誉 by its
// level, and text by its bytes, which for GBK puts the common characters
// in pinyin order. Empty cells come last in either direction; equal cells
// keep the search's order.
//
// The view follows the table through ChangeListener ranges: a few changed
// rows are moved into place, a wide change (a new search) rebuilds it.
#include <optional>
#include <vector>

#include "results/result_table.h"
#include "results/shop_row.h"

namespace quorvane {

enum class SortOrder { Ascending, Descending };

struct ViewSort {
  Column column;
  SortOrder order;
  bool operator==(const ViewSort&) const = default;
};

class ResultView {
 public:
  explicit ResultView(const ResultTable& table) : table_(table) {}

  bool worthContactingOnly() const { return worthContactingOnly_; }
  void setWorthContactingOnly(bool on);
  const std::optional<ViewSort>& sort() const { return sort_; }
  // A click on a column's title: ascending, then descending, then the
  // search's own order; another column starts again at ascending. The tick
  // column does not sort.
  void sortBy(Column column);
  void setSort(std::optional<ViewSort> sort);

  // Whether the view shows every row in table order (line i is row i + 1).
  bool plain() const { return !worthContactingOnly_ && !sort_; }

  // Lines in the view: every grid row (10 000), or with the filter the rows
  // it keeps.
  int lineCount() const;
  // The table row of a line; -1 outside the view.
  int rowAt(int line) const;
  // The line that shows a row; -1 when the view hides it.
  int lineOf(int row) const;
  // The result rows the view shows, in its order (rows the search has not
  // written are left out).
  std::vector<int> shownResults() const;

  // What a change of the table did to the view.
  enum class Effect {
    None,       // every line still shows the row it showed (lines may have been added at the end)
    Reordered,  // lines show other rows than before
  };
  // Call with every range the table's change listener reports.
  Effect rowsChanged(int firstRow, int lastRow);

 private:
  bool shows(int row) const;
  bool before(int a, int b) const;  // a sorts before b in the view's order
  void rebuild();
  bool place(int row);    // true when other lines now show other rows
  int tailStart() const;  // plain rows follow the sorted ones in an unfiltered sorted view

  const ResultTable& table_;
  bool worthContactingOnly_ = false;
  std::optional<ViewSort> sort_;
  std::vector<int> rows_;  // the view's rows in order, when it is not plain
  int filled_ = 0;         // the table's written rows when the view last followed it
};

}  // namespace quorvane
