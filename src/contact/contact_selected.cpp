#include "contact/contact_selected.h"

#include <charconv>
#include <string_view>
#include <vector>

namespace quorvane {
namespace {

// Row numbers of the selection list, in list order. Pieces that are not a
// result row (the title row, out of range, not a number) are dropped.
std::vector<int> selectedRows(std::string_view list, int rowCount) {
  std::vector<int> rows;
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const std::string_view piece = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    int row = 0;
    const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), row);
    if (error == std::errc() && end == piece.data() + piece.size() && row >= 1 && row < rowCount)
      rows.push_back(row);
  }
  return rows;
}

// One row: its entry for the history ("" for a row without an id, which has
// no seller to contact and only loses its tick).
LocalText contactRow(ResultTable& table, int row, const ChatLauncher& launch) {
  const LocalText id = table.shop(row).sellerId;
  if (id.empty()) {
    table.setTick(row, false);
    return "";
  }
  table.markContacted(row);
  launch(buildChatUrl(id));
  table.setTick(row, false);
  return id + "\r\n";
}

}  // namespace

void contactSelectedSellers(SelectedSellers& sellers, HistoryStore& history, const ChatLauncher& launch,
                            const std::function<bool()>& stopRequested) {
  if (sellers.watcherInterval() == 0) sellers.setWatcherInterval(kWatcherIntervalMs);
  const LocalText previous = history.load();
  ResultTable& table = sellers.table();
  LocalText newEntries;
  for (int row : selectedRows(sellers.selectionList(), table.rowCount())) {
    // Once stopped, the rows left over only lose their ticks, as the
    // selection is emptied below.
    if (stopRequested && stopRequested())
      table.setTick(row, false);
    else
      newEntries += contactRow(table, row, launch);
  }
  sellers.resetSelection();
  history.save(previous, newEntries);
}

}  // namespace quorvane
