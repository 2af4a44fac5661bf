#pragma once
// The contents of the result grid: 10 001 rows (row 0 holds the titles), each
// a ShopRow with its tick and its look. It belongs to the window's thread:
// the search hands its rows over as events, contacting and ticking run there
// too, so nothing here is locked. A change listener lets the grid repaint
// the rows that changed.
#include <cstdint>
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

// One search run: its keywords and provinces, each row found under one of
// each, and when it started (local time, ISO 8601).
struct SearchRun {
  std::vector<LocalText> keywords;
  std::vector<LocalText> provinces;
  LocalText startedAt;

  bool operator==(const SearchRun&) const = default;
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

  // The run the results come from; an empty one before the first.
  const SearchRun& run() const { return run_; }
  // The keyword and the province the row's shop was found under; "" for a
  // row the search has not written or that names none of the run's.
  const LocalText& keywordOf(int row) const;
  const LocalText& provinceOf(int row) const;

  // Writes to rows outside 1..10000 are ignored.
  // Every result row empty, unticked and cleared; the titles stay. The rows
  // that follow come from `run`.
  void clearResults(SearchRun run = {});
  // What the search found for a row: its first six text columns, found
  // under the run's keyword and province of these indices.
  void setShop(int row, const ShopRow& shop, int keyword = 0, int province = 0);
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
    std::int16_t keyword = -1;  // indices into the run's lists; -1 for none
    std::int16_t province = -1;
  };
  Row* at(int row);
  const Row* at(int row) const;
  void changed(int firstRow, int lastRow);

  std::vector<Row> rows_;
  SearchRun run_;
  int filledRows_ = 0;
  ChangeListener listener_;
  int openBatches_ = 0;
  std::optional<std::pair<int, int>> heldChange_;  // first and last row changed in the open batch
};

}  // namespace quorvane
