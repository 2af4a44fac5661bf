#pragma once
// "导出全部结果…" and "导出选中行…": result rows as a CSV file that Excel and
// WPS open with the Chinese intact: UTF-8 with a byte-order mark, the column
// titles first, the eight text columns followed by where each shop was found
// (地区, 关键词) and when the search started (搜索时间), CR LF after every
// record, and fields quoted as RFC 4180 has it, so a comma, a double quote
// or a line break inside a shop name stays inside its field.
#include <string_view>
#include <vector>

#include "results/result_table.h"
#include "text/text.h"

namespace quorvane {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// One field: quoted (with its double quotes doubled) when it holds a comma,
// a double quote, CR or LF; text a spreadsheet would run as a formula gets
// its apostrophe first.
LocalText csvField(std::string_view text);

// The columns after the eight of the grid, in the file's order.
enum class ExtraColumn { Province, Keyword, SearchTime };
LocalText extraColumnTitle(ExtraColumn column);

// The whole file's bytes: `rows` in the order given, each once; rows the
// search has not written are left out.
ByteArray resultsCsv(const ResultTable& table, const std::vector<int>& rows);
// Every written row, in the search's order.
ByteArray resultsCsv(const ResultTable& table);

// What the status bar says once the file is written, before its path:
// "已导出 N 条结果：".
LocalText exportedText(int rows);

}  // namespace quorvane
