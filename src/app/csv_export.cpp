#include "app/csv_export.h"

#include <algorithm>
#include <array>
#include <string>

#include "app/spreadsheet_cell.h"
#include "text/encodings.h"

namespace quorvane {
namespace {

// Checked on GBK bytes: every byte below 0x40 is a character of its own,
// never the second byte of a double-byte one.
bool needsQuotes(std::string_view text) { return text.find_first_of(",\"\r\n") != std::string_view::npos; }

constexpr std::array<ExtraColumn, 3> kExtraColumns = {ExtraColumn::Province, ExtraColumn::Keyword,
                                                      ExtraColumn::SearchTime};

LocalText extraText(const ResultTable& table, int row, ExtraColumn column) {
  if (row == 0) return extraColumnTitle(column);
  switch (column) {
    case ExtraColumn::Province:
      return table.provinceOf(row);
    case ExtraColumn::Keyword:
      return table.keywordOf(row);
    case ExtraColumn::SearchTime:
      return table.run().startedAt;
  }
  return "";
}

void appendRecord(const ResultTable& table, int row, LocalText& csv) {
  for (Column column : kTextColumns) {
    if (column != kTextColumns.front()) csv += ',';
    csv += csvField(table.text(row, column));
  }
  for (ExtraColumn column : kExtraColumns) csv += ',' + csvField(extraText(table, row, column));
  csv += "\r\n";
}

}  // namespace

LocalText csvField(std::string_view text) {
  const LocalText field = asSpreadsheetText(text);
  if (!needsQuotes(field)) return field;
  LocalText quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

LocalText extraColumnTitle(ExtraColumn column) {
  switch (column) {
    case ExtraColumn::Province:
      return "\xB5\xD8\xC7\xF8";  // 地区
    case ExtraColumn::Keyword:
      return "\xB9\xD8\xBC\xFC\xB4\xCA";  // 关键词
    case ExtraColumn::SearchTime:
      return "\xCB\xD1\xCB\xF7\xCA\xB1\xBC\xE4";  // 搜索时间
  }
  return "";
}

ByteArray resultsCsv(const ResultTable& table, const std::vector<int>& rows) {
  LocalText csv;
  appendRecord(table, 0, csv);
  std::vector<bool> written(static_cast<size_t>(table.rowCount()), false);
  for (int row : rows) {
    if (row < 1 || row > table.filledRows() || written[static_cast<size_t>(row)]) continue;
    written[static_cast<size_t>(row)] = true;
    appendRecord(table, row, csv);
  }
  return ByteArray(kUtf8ByteOrderMark) + localToUtf8(csv);
}

ByteArray resultsCsv(const ResultTable& table) {
  std::vector<int> rows;
  for (int row = 1; row <= table.filledRows(); ++row) rows.push_back(row);
  return resultsCsv(table, rows);
}

LocalText exportedText(int rows) {
  // 已导出 N 条结果：
  return "\xD2\xD1\xB5\xBC\xB3\xF6 " + std::to_string(rows) + " \xCC\xF5\xBD\xE1\xB9\xFB\xA3\xBA";
}

}  // namespace quorvane
