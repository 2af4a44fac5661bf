#include "results/result_view.h"

#include <algorithm>
#include <string_view>

namespace quorvane {
namespace {

// A change wider than this is taken in by sorting afresh rather than row by row.
constexpr int kRowsPlacedOneByOne = 256;

// What a cell sorts by: its group first (numbers, then other text, then
// empty cells), then its number or its bytes.
struct SortKey {
  int group;
  double number;
  std::string_view text;
};
constexpr int kNumberGroup = 0, kTextGroup = 1, kEmptyGroup = 2;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "12", "3.5": a plain decimal number; the digits at the start of a credit
// level ("3心").
std::optional<double> numberIn(std::string_view text, bool leadingDigitsOnly) {
  size_t end = 0;
  while (end < text.size() && isDigit(text[end])) ++end;
  if (end == 0 || end > 15) return std::nullopt;
  double value = 0;
  for (size_t i = 0; i < end; ++i) value = value * 10 + (text[i] - '0');
  if (leadingDigitsOnly) return value;
  if (end == text.size()) return value;
  if (text[end] != '.' || end + 1 == text.size()) return std::nullopt;
  double scale = 1;
  for (size_t i = end + 1; i < text.size(); ++i) {
    if (!isDigit(text[i])) return std::nullopt;
    scale /= 10;
    value += (text[i] - '0') * scale;
  }
  return value;
}

SortKey keyOf(const ShopRow& shop, Column column) {
  const std::string_view text = shop.text(column);
  if (text.empty()) return {kEmptyGroup, 0, text};
  const bool numeric = column == Column::ItemCount || column == Column::MonthlySales;
  if (numeric || column == Column::Credit)
    if (std::optional<double> number = numberIn(text, column == Column::Credit)) return {kNumberGroup, *number, text};
  return {kTextGroup, 0, text};
}

// Negative, zero or positive, as a before, equal to or after b, ascending.
int compareKeys(const SortKey& a, const SortKey& b) {
  if (a.group == kNumberGroup) return a.number < b.number ? -1 : b.number < a.number ? 1 : 0;
  return a.text.compare(b.text);
}

}  // namespace

void ResultView::setWorthContactingOnly(bool on) {
  worthContactingOnly_ = on;
  rebuild();
}

void ResultView::sortBy(Column column) {
  if (column == Column::Tick) return;
  if (!sort_ || sort_->column != column)
    setSort(ViewSort{column, SortOrder::Ascending});
  else if (sort_->order == SortOrder::Ascending)
    setSort(ViewSort{column, SortOrder::Descending});
  else
    setSort(std::nullopt);
}

void ResultView::setSort(std::optional<ViewSort> sort) {
  if (sort && sort->column == Column::Tick) sort.reset();
  sort_ = sort;
  rebuild();
}

int ResultView::lineCount() const {
  if (worthContactingOnly_) return static_cast<int>(rows_.size());
  return table_.rowCount() - 1;
}

int ResultView::tailStart() const { return worthContactingOnly_ ? -1 : static_cast<int>(rows_.size()); }

int ResultView::rowAt(int line) const {
  if (line < 0 || line >= lineCount()) return -1;
  if (plain()) return line + 1;
  if (line < static_cast<int>(rows_.size())) return rows_[static_cast<size_t>(line)];
  return line + 1;  // the rows below the results, which an unfiltered sorted view keeps in place
}

int ResultView::lineOf(int row) const {
  if (!ResultTable::isResultRow(row)) return -1;
  if (plain()) return row - 1;
  const auto found = std::find(rows_.begin(), rows_.end(), row);
  if (found != rows_.end()) return static_cast<int>(found - rows_.begin());
  const int tail = tailStart();
  return tail >= 0 && row > tail ? row - 1 : -1;
}

std::vector<int> ResultView::shownResults() const {
  if (!plain()) return rows_;
  std::vector<int> rows;
  for (int row = 1; row <= table_.filledRows(); ++row) rows.push_back(row);
  return rows;
}

bool ResultView::shows(int row) const {
  if (row < 1 || row > table_.filledRows()) return false;
  return !worthContactingOnly_ || worthContacting(table_.shop(row));
}

bool ResultView::before(int a, int b) const {
  if (sort_) {
    const SortKey keyA = keyOf(table_.shop(a), sort_->column), keyB = keyOf(table_.shop(b), sort_->column);
    if (keyA.group != keyB.group) return keyA.group < keyB.group;
    const int order = compareKeys(keyA, keyB);
    if (order != 0) return sort_->order == SortOrder::Ascending ? order < 0 : order > 0;
  }
  return a < b;
}

void ResultView::rebuild() {
  rows_.clear();
  filled_ = table_.filledRows();
  if (plain()) return;
  for (int row = 1; row <= table_.filledRows(); ++row)
    if (shows(row)) rows_.push_back(row);
  std::sort(rows_.begin(), rows_.end(), [this](int a, int b) { return before(a, b); });
}

// A row appended after the last line, or one the view goes on showing on
// the same line, moves no other line.
bool ResultView::place(int row) {
  const int from = lineOf(row);
  const auto found = std::find(rows_.begin(), rows_.end(), row);
  if (found != rows_.end()) rows_.erase(found);
  if (!shows(row)) return from >= 0;
  const auto at = std::lower_bound(rows_.begin(), rows_.end(), row, [this](int a, int b) { return before(a, b); });
  const int to = static_cast<int>(at - rows_.begin());
  const bool appended = from < 0 && at == rows_.end();
  rows_.insert(at, row);
  return to != from && !appended;
}

ResultView::Effect ResultView::rowsChanged(int firstRow, int lastRow) {
  if (plain()) return Effect::None;
  // Rows up to the last one written count as results, changed or not.
  if (table_.filledRows() > filled_) {
    firstRow = std::min(firstRow, filled_ + 1);
    lastRow = std::max(lastRow, table_.filledRows());
  } else if (table_.filledRows() < filled_) {
    firstRow = 1;
    lastRow = ResultTable::kLastRow;
  }
  filled_ = table_.filledRows();
  firstRow = std::max(firstRow, 1);
  lastRow = std::min(lastRow, ResultTable::kLastRow);
  if (lastRow - firstRow >= kRowsPlacedOneByOne) {
    rebuild();
    return Effect::Reordered;
  }
  bool moved = false;
  for (int row = firstRow; row <= lastRow; ++row) moved = place(row) || moved;
  return moved ? Effect::Reordered : Effect::None;
}

}  // namespace quorvane
