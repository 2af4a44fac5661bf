// Input: the text of three result rows, its eight text columns separated by
// 0x1F and its rows by 0x1E (missing pieces are empty), then any bytes as a
// search keyword after 0x1D. Any bytes may stand in a cell, as a page may
// put them there.
// The CSV must read back, field by field, as the cells converted to UTF-8
// (with the apostrophe before text a spreadsheet would run); the copied
// table must keep one line per row and eight cells per line; the proposed
// file name must hold nothing Windows refuses and end in the day and ".csv".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/csv_export.h"
#include "app/export_file_name.h"
#include "app/grid_copy.h"
#include "app/spreadsheet_cell.h"
#include "csv_reader.h"
#include "fuzz_check.h"
#include "text/encodings.h"

using namespace quorvane;

namespace {

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t end; (end = text.find(separator, start)) != std::string_view::npos; start = end + 1)
    pieces.emplace_back(text.substr(start, end - start));
  pieces.emplace_back(text.substr(start));
  return pieces;
}

void checkFileName(const LocalText& keyword) {
  const LocalText name = exportFileName(keyword, {2024, 2, 29});
  FUZZ_CHECK(name.size() > 15 && name.compare(name.size() - 15, 15, "_2024-02-29.csv") == 0);
  FUZZ_CHECK(name.size() <= 64 + 15);
  for (size_t at = 0; at < name.size(); ++at) {
    const auto byte = static_cast<unsigned char>(name[at]);
    if (byte >= 0x81 && byte <= 0xFE && at + 1 < name.size()) {
      ++at;  // the second byte of a double-byte character may be anything
      continue;
    }
    FUZZ_CHECK(byte >= 0x20 && byte != 0x7F && std::string_view("\\/:*?\"<>|").find(static_cast<char>(byte)) ==
                                                  std::string_view::npos);
  }
  FUZZ_CHECK(name[0] != ' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t keywordAt = input.find('\x1D');
  const std::string cells = input.substr(0, keywordAt);
  const LocalText keyword = keywordAt == std::string::npos ? "" : input.substr(keywordAt + 1);

  ResultTable table;
  table.clearResults(SearchRun{{keyword}, {"\xD5\xE3\xBD\xAD"}, "2024-05-17T09:00:00+08:00"});
  std::vector<std::string> rows = split(cells, '\x1E');
  rows.resize(3);
  for (int row = 1; row <= 3; ++row) {
    std::vector<std::string> fields = split(rows[static_cast<size_t>(row - 1)], '\x1F');
    fields.resize(8);
    table.setShop(row, ShopRow{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], "", ""}, 0, 0);
    table.applyStatus(row, {fields[6], fields[7], std::nullopt});
  }

  const ByteArray csv = resultsCsv(table);
  FUZZ_CHECK(csv.compare(0, kUtf8ByteOrderMark.size(), kUtf8ByteOrderMark) == 0);
  const std::optional<std::vector<CsvRecord>> read = readCsv(std::string_view(csv).substr(kUtf8ByteOrderMark.size()));
  FUZZ_CHECK(read.has_value());
  const std::vector<CsvRecord>& records = *read;
  FUZZ_CHECK(records.size() == 4);
  for (int row = 0; row <= 3; ++row) {
    const CsvRecord& record = records[static_cast<size_t>(row)];
    FUZZ_CHECK(record.size() == kTextColumns.size() + 3);  // then 地区, 关键词, 搜索时间
    for (size_t i = 0; i < kTextColumns.size(); ++i)
      FUZZ_CHECK(record[i] == localToUtf8(asSpreadsheetText(table.text(row, kTextColumns[i]))));
    if (row > 0) FUZZ_CHECK(record[kTextColumns.size() + 1] == localToUtf8(asSpreadsheetText(keyword)));
  }

  const LocalText ids = sellerIdsText(table, {1, 2, 3});
  FUZZ_CHECK(localToUtf8(ids).size() >= ids.size() / 2);  // the whole text converts, no NUL cuts it short
  for (const std::string& line : split(ids, '\n')) FUZZ_CHECK(line.empty() || line.back() == '\r');

  const LocalText copied = rowsText(table, {3, 1, 2});
  const std::vector<std::string> lines = split(copied, '\n');
  FUZZ_CHECK(lines.size() == 5 && lines.back().empty());
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    FUZZ_CHECK(!lines[i].empty() && lines[i].back() == '\r');
    FUZZ_CHECK(lines[i].find('\r') == lines[i].size() - 1);
    FUZZ_CHECK(split(lines[i], '\t').size() == kTextColumns.size());
    FUZZ_CHECK(wholeCharacters(lines[i]) == lines[i]);  // no byte can pair with a separator
  }

  checkFileName(keyword);
  return 0;
}
