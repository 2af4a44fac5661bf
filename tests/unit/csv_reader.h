#pragma once
// Reads CSV back as a spreadsheet does under RFC 4180: fields separated by
// commas, every record ended by CR LF, a quoted field's quotes doubled.
// Nothing when the text breaks that form (a bare line break, a quote inside
// an unquoted field, an open quote or a last record without its CR LF).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

using CsvRecord = std::vector<std::string>;

inline std::optional<std::vector<CsvRecord>> readCsv(std::string_view csv) {
  std::vector<CsvRecord> records;
  CsvRecord record;
  std::string field;
  bool quoted = false;
  for (size_t i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    const bool crLf = c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n';
    if (quoted) {
      if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      if (!field.empty()) return std::nullopt;
      quoted = true;
    } else if (c == ',' || crLf) {
      record.push_back(std::move(field));
      field.clear();
      if (crLf) {
        records.push_back(std::move(record));
        record.clear();
        ++i;
      }
    } else if (c == '\r' || c == '\n') {
      return std::nullopt;
    } else {
      field += c;
    }
  }
  if (quoted || !record.empty() || !field.empty()) return std::nullopt;
  return records;
}

}  // namespace quorvane
