#include "app/view_status_text.h"

#include <string>

namespace quorvane {
namespace {

constexpr char kWorthContacting[] = "\xD6\xBB\xCF\xD4\xCA\xBE\xD4\xDA\xCF\xDF\xC7\xD2\xCE\xB4\xC1\xAA\xCF\xB5 ";  // "只显示在线且未联系 "
constexpr char kComma[] = "\xA3\xAC";         // ，
constexpr char kBy[] = "\xB0\xB4";            // 按
constexpr char kAscending[] = "\xC9\xFD\xD0\xF2";   // 升序
constexpr char kDescending[] = "\xBD\xB5\xD0\xF2";  // 降序

}  // namespace

LocalText viewStatusText(const ResultView& view, const ResultTable& table) {
  LocalText text;
  if (view.worthContactingOnly())
    text = kWorthContacting + std::to_string(view.shownResults().size()) + "/" + std::to_string(table.filledRows());
  if (const auto& sort = view.sort()) {
    if (!text.empty()) text += kComma;
    text += kBy + columnTitle(sort->column) + (sort->order == SortOrder::Ascending ? kAscending : kDescending);
  }
  return text;
}

}  // namespace quorvane
