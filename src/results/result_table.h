#pragma once
// The contents of the result grid: 10 001 rows (row 0 holds the titles), each
// a ShopRow with its tick and its look. It belongs to the window's thread:
// the search hands its rows over as events, contacting and ticking run there
// too, so nothing here is locked. A change listener lets the grid repaint
// the rows that changed.
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "results/row_look.h"
#include "results/shop_row.h"
#include "text/text.h"

namespace quorvane {

// A row's status columns once its seller's presence is known; no look means
// the row keeps the one it has.
struct RowStatus {
  LocalText presence;
  LocalText contactState;
  std::optional<RowLook> look;

  bool operator==(const RowStatus&) const = default;
};

class ResultTable {
 public:
  static constexpr int kRowCount = 10001;
  static constexpr int kLastRow = kRowCount - 1;
  using ChangeListener = std::function<void(int firstRow, int lastRow)>;

  ResultTable();

  int rowCount() const { return kRowCount; }
  static bool isResultRow(int row) { return row >= 1 && row <= kLastRow; }

  // Row 0 reads as the titles; rows outside the grid read as empty.
  LocalText text(int row, Column column) const;
  const ShopRow& shop(int row) const;
  bool tick(int row) const;
  RowLook look(int row) const;
  // The last row the search has written since the results were cleared; 0
  // when none. Rows 1 to this one are the results (copy, export, Ctrl+A).
  int filledRows() const { return filledRows_; }
  RowColours colours(int row, Column column) const;

  // Writes to rows outside 1..10000 are ignored.
  // Every result row empty, unticked and cleared; the titles stay.
  void clearResults();
  // What the search found for a row: its first six text columns.
  void setShop(int row, const ShopRow& shop);
  // The status the search worked out. A row the user has contacted in the
  // meantime keeps its contact state and look: only its presence is taken,
  // so a contacted seller is never shown as not contacted again.
  void applyStatus(int row, const RowStatus& status);
  // Contacting: "已联系" and the contacted look, for the rest of this search.
  void markContacted(int row);
  void setTick(int row, bool ticked);

  void setChangeListener(ChangeListener listener) { listener_ = std::move(listener); }

  // While one is open, changes reach the listener once, as the range that
  // covers them all, when the outermost closes: a search's batch of rows
  // costs the grid one repaint request instead of one a row.
  class ChangeBatch {
   public:
    explicit ChangeBatch(ResultTable& table);
    ~ChangeBatch();
    ChangeBatch(const ChangeBatch&) = delete;
    ChangeBatch& operator=(const ChangeBatch&) = delete;

   private:
    ResultTable& table_;
  };

 private:
  struct Row {
    ShopRow shop;
    bool tick = false;
    RowLook look = RowLook::Cleared;
    bool contactedByUser = false;
  };
  Row* at(int row);
  const Row* at(int row) const;
  void changed(int firstRow, int lastRow);

  std::vector<Row> rows_;
  int filledRows_ = 0;
  ChangeListener listener_;
  int openBatches_ = 0;
  std::optional<std::pair<int, int>> heldChange_;  // first and last row changed in the open batch
};

}  // namespace quorvane
