#include "app/selection.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quorvane {

static LocalText entryOf(int row) { return std::to_string(row) + ","; }

// Where the whole entry for `row` starts in `list`, or npos. An entry starts
// at the beginning or right after a ",".
static size_t findEntry(const LocalText& list, int row) {
  const LocalText entry = entryOf(row);
  for (size_t at = list.find(entry); at != LocalText::npos; at = list.find(entry, at + 1))
    if (at == 0 || list[at - 1] == ',') return at;
  return LocalText::npos;
}

bool Selection::contains(int row) const { return findEntry(list_, row) != LocalText::npos; }

std::vector<int> Selection::rows() const {
  std::vector<int> rows;
  int row = 0;
  for (char c : list_) {
    if (c == ',') {
      rows.push_back(row);
      row = 0;
    } else {
      row = row * 10 + (c - '0');
    }
  }
  return rows;
}

LocalText Selection::label() const {
  return "\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" + std::to_string(count_) + " \xB8\xF6";
}

void Selection::add(int row) {
  list_ += entryOf(row);
  ++count_;
  changed();
}

bool Selection::remove(int row) {
  size_t at = findEntry(list_, row);
  if (at == LocalText::npos) return false;
  list_.erase(at, entryOf(row).size());
  --count_;
  changed();
  return true;
}

void Selection::reset() {
  list_.clear();
  count_ = 0;
  changed();
}

void Selection::changed() const {
  if (listener_) listener_();
}

void toggleRows(ResultTable& table, Selection& selection, std::span<const int> rows, bool filter) {
  for (int row : rows) {
    if (!ResultTable::isResultRow(row)) continue;
    if (table.tick(row)) {
      table.setTick(row, false);
      selection.remove(row);
    } else if (!filter || worthContacting(table.shop(row))) {
      table.setTick(row, true);
      selection.add(row);
    }
  }
}

void toggleSelectedRows(ResultTable& table, Selection& selection, int firstRow, int lastRow,
                        bool filter) {
  if (firstRow < 0) return;
  std::vector<int> rows;
  for (int row = std::max(firstRow, 1); row <= std::min(lastRow, table.rowCount() - 1); ++row) rows.push_back(row);
  toggleRows(table, selection, rows, filter);
}

}  // namespace quorvane
