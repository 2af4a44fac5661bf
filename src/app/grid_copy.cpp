#include "app/grid_copy.h"

#include <algorithm>

#include "app/spreadsheet_cell.h"

namespace quorvane {
namespace {

constexpr char kLineEnd[] = "\r\n";

// The written rows among `rows`, each once, in the order given.
std::vector<int> writtenRows(const ResultTable& table, const std::vector<int>& rows) {
  std::vector<int> written;
  std::vector<bool> taken(static_cast<size_t>(table.rowCount()), false);
  for (int row : rows) {
    if (row < 1 || row > table.filledRows() || taken[static_cast<size_t>(row)]) continue;
    taken[static_cast<size_t>(row)] = true;
    written.push_back(row);
  }
  return written;
}

// A tab or line break inside a text would end its cell or its line.
LocalText onOneLine(LocalText text) {
  std::replace_if(text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return text;
}

LocalText tableCell(const LocalText& text) { return onOneLine(asSpreadsheetText(text)); }

LocalText tableLine(const ResultTable& table, int row) {
  LocalText line;
  for (Column column : kTextColumns) {
    if (column != kTextColumns.front()) line += '\t';
    line += tableCell(table.text(row, column));
  }
  return line + kLineEnd;
}

}  // namespace

LocalText sellerIdsText(const ResultTable& table, const std::vector<int>& rows) {
  LocalText text;
  for (int row : writtenRows(table, rows)) {
    const LocalText id = onOneLine(wholeCharacters(table.shop(row).sellerId));
    if (!id.empty()) text += id + kLineEnd;
  }
  return text;
}

LocalText rowsText(const ResultTable& table, const std::vector<int>& rows) {
  LocalText text = tableLine(table, 0);
  for (int row : writtenRows(table, rows)) text += tableLine(table, row);
  return text;
}

}  // namespace quorvane
