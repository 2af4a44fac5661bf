#pragma once
// The user's ticks on the result grid: SelectionList (each ticked row number
// in decimal followed by ",", in ticking order) and SelectionCount. The tick
// in column 0 of a row is true exactly when the row is an entry of the list.
#include <functional>
#include <span>
#include <vector>

#include "results/result_table.h"
#include "text/text.h"

namespace quorvane {

class Selection {
 public:
  // Called after every single change, so a label can follow row by row.
  using ChangeListener = std::function<void()>;

  const LocalText& list() const { return list_; }
  int count() const { return count_; }
  // The entries as row numbers, in ticking order.
  std::vector<int> rows() const;
  bool contains(int row) const;
  // "已选中数量：" + count + " 个", the text of 已选中标签.
  LocalText label() const;

  void add(int row);
  // Removes only the whole entry for `row`: removing 2 leaves "12," alone.
  // Returns false, changing nothing, when the row is not an entry.
  bool remove(int row);
  void reset();

  void setChangeListener(ChangeListener listener) { listener_ = std::move(listener); }

 private:
  void changed() const;

  LocalText list_;
  int count_ = 0;
  ChangeListener listener_;
};

// Space in the grid: toggles the ticks of every row from firstRow to lastRow.
// With the filter on, only online, not yet contacted rows get ticked; ticked
// rows are unticked whatever they hold. firstRow -1 (no selection) does
// nothing; the title row is never ticked.
void toggleSelectedRows(ResultTable& table, Selection& selection, int firstRow, int lastRow,
                        bool filter);

// The same for the rows a sorted or filtered view shows between the first
// and the last selected line, in the order shown: the ticks go to the rows,
// wherever the view puts them.
void toggleRows(ResultTable& table, Selection& selection, std::span<const int> rows, bool filter);

}  // namespace quorvane
