#include "contact/contact_selected.h"

#include <charconv>
#include <string_view>
#include <vector>

#include "contact/contact_history.h"

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

enum class RowContact { NoSeller, Launched, NotLaunched };

// One row. A row without an id has no seller to contact and only loses its
// tick; a row whose chat launched is marked and loses its tick; any other
// row stays as it is.
RowContact contactRow(ResultTable& table, int row, const ChatLauncher& launch, ChatLaunches& launches) {
  const LocalText id = table.shop(row).sellerId;
  if (id.empty()) {
    table.setTick(row, false);
    return RowContact::NoSeller;
  }
  if (!launches.count(launch(buildChatUrl(id)))) return RowContact::NotLaunched;
  table.markContacted(row);
  table.setTick(row, false);
  return RowContact::Launched;
}

}  // namespace

ContactReport contactSelectedSellers(SelectedSellers& sellers, HistoryStore& history, const ChatLauncher& launch,
                                     const std::function<bool()>& stopRequested) {
  if (sellers.watcherInterval() == 0) sellers.setWatcherInterval(kWatcherIntervalMs);
  const LocalText previous = history.load();
  ResultTable& table = sellers.table();
  ContactReport report;
  LocalText newEntries;
  std::vector<int> stillTicked;
  for (int row : selectedRows(sellers.selectionList(), table.rowCount())) {
    // Once stopped, the rows left over only lose their ticks, as the
    // selection is emptied below.
    if (stopRequested && stopRequested()) {
      table.setTick(row, false);
      continue;
    }
    switch (contactRow(table, row, launch, report.launches)) {
      case RowContact::Launched:
        newEntries += historyEntry(table.shop(row).sellerId);
        break;
      case RowContact::NotLaunched:
        stillTicked.push_back(row);
        break;
      case RowContact::NoSeller:
        break;
    }
  }
  sellers.resetSelection();
  for (int row : stillTicked) sellers.selectAgain(row);
  report.saved = history.save(previous, newEntries);
  return report;
}

}  // namespace quorvane
