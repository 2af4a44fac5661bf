#include "app/result_table.h"

#include <algorithm>

namespace quorvane {

ResultTable::ResultTable() : cells_(static_cast<size_t>(kRowCount) * kColumnCount) {}

bool ResultTable::inside(int row, int column) {
  return row >= 0 && row < kRowCount && column >= 0 && column < kColumnCount;
}

static size_t indexOf(int row, int column) {
  return static_cast<size_t>(row) * ResultTable::kColumnCount + static_cast<size_t>(column);
}

void ResultTable::setText(int row, int column, LocalText text) {
  if (!inside(row, column)) return;
  {
    std::lock_guard lock(mutex_);
    cells_[indexOf(row, column)].text = std::move(text);
  }
  notify(row, row);
}

LocalText ResultTable::text(int row, int column) const {
  if (!inside(row, column)) return {};
  std::lock_guard lock(mutex_);
  return cells_[indexOf(row, column)].text;
}

void ResultTable::setTick(int row, bool ticked) {
  if (!inside(row, kTickColumn)) return;
  {
    std::lock_guard lock(mutex_);
    cells_[indexOf(row, kTickColumn)].tick = ticked;
  }
  notify(row, row);
}

bool ResultTable::tick(int row) const {
  if (!inside(row, kTickColumn)) return false;
  std::lock_guard lock(mutex_);
  return cells_[indexOf(row, kTickColumn)].tick;
}

Cell ResultTable::cell(int row, int column) const {
  if (!inside(row, column)) return {};
  std::lock_guard lock(mutex_);
  return cells_[indexOf(row, column)];
}

template <typename Edit>
void ResultTable::editRange(CellRange r, Edit edit) {
  int firstRow = std::max(r.firstRow, 0), lastRow = std::min(r.lastRow, kRowCount - 1);
  int firstColumn = std::max(r.firstColumn, 0), lastColumn = std::min(r.lastColumn, kColumnCount - 1);
  if (firstRow > lastRow || firstColumn > lastColumn) return;
  {
    std::lock_guard lock(mutex_);
    for (int row = firstRow; row <= lastRow; ++row)
      for (int column = firstColumn; column <= lastColumn; ++column) edit(cells_[indexOf(row, column)]);
  }
  notify(firstRow, lastRow);
}

void ResultTable::setBackground(CellRange range, Colour colour) {
  editRange(range, [colour](Cell& c) { c.background = colour; });
}

void ResultTable::setTextColour(CellRange range, Colour colour) {
  editRange(range, [colour](Cell& c) { c.textColour = colour; });
}

void ResultTable::setTextFormat(CellRange range, unsigned format) {
  editRange(range, [format](Cell& c) { c.textFormat = format; });
}

void ResultTable::clear(CellRange range) {
  editRange(range, [](Cell& c) {
    c.text.clear();
    c.tick = false;
  });
}

void ResultTable::setChangeListener(ChangeListener listener) {
  std::lock_guard lock(mutex_);
  listener_ = std::move(listener);
}

void ResultTable::notify(int firstRow, int lastRow) const {
  ChangeListener listener;
  {
    std::lock_guard lock(mutex_);
    listener = listener_;
  }
  if (listener) listener(firstRow, lastRow);
}

}  // namespace quorvane
