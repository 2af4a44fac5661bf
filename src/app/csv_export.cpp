#include "app/csv_export.h"

#include <string>

#include "app/spreadsheet_cell.h"
#include "text/encodings.h"

namespace quorvane {
namespace {

// Checked on GBK bytes: every byte below 0x40 is a character of its own,
// never the second byte of a double-byte one.
bool needsQuotes(std::string_view text) { return text.find_first_of(",\"\r\n") != std::string_view::npos; }

void appendRecord(const ResultTable& table, int row, LocalText& csv) {
  for (Column column : kTextColumns) {
    if (column != kTextColumns.front()) csv += ',';
    csv += csvField(table.text(row, column));
  }
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

ByteArray resultsCsv(const ResultTable& table) {
  LocalText csv;
  for (int row = 0; row <= table.filledRows(); ++row) appendRecord(table, row, csv);
  return ByteArray(kUtf8ByteOrderMark) + localToUtf8(csv);
}

LocalText exportedText(int rows) {
  // 已导出 N 条结果：
  return "\xD2\xD1\xB5\xBC\xB3\xF6 " + std::to_string(rows) + " \xCC\xF5\xBD\xE1\xB9\xFB\xA3\xBA";
}

}  // namespace quorvane
