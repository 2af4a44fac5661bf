#include "contact/contact_selected.h"

#include <charconv>
#include <string_view>
#include <vector>

#include "contact/contact_history.h"

namespace quorvane {
namespace {

// A ticked row and the seller it held when the round began.
struct TickedRow {
  int row;
  LocalText sellerId;
};

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

std::vector<TickedRow> tickedRows(SelectedSellers& sellers) {
  const ResultTable& table = sellers.table();
  std::vector<TickedRow> rows;
  for (int row : selectedRows(sellers.selectionList(), table.rowCount()))
    rows.push_back({row, table.shop(row).sellerId});
  return rows;
}

enum class RowContact { NoSeller, Launched, NotLaunched, Replaced };

// One row. A row without an id has no seller to contact and only loses its
// tick; a row whose chat launched is marked and loses its tick; any other
// row stays as it is. A row that holds another seller than when the round
// began was filled by a new search, which emptied the selection: it is
// left alone.
RowContact contactRow(ResultTable& table, const TickedRow& ticked, const ChatLauncher& launch,
                      ChatLaunches& launches) {
  if (table.shop(ticked.row).sellerId != ticked.sellerId) return RowContact::Replaced;
  if (ticked.sellerId.empty()) {
    table.setTick(ticked.row, false);
    return RowContact::NoSeller;
  }
  if (!launches.count(launch(buildChatUrl(ticked.sellerId)))) return RowContact::NotLaunched;
  table.markContacted(ticked.row);
  table.setTick(ticked.row, false);
  return RowContact::Launched;
}

}  // namespace

ContactReport contactSelectedSellers(SelectedSellers& sellers, HistoryStore& history, const ChatLauncher& launch,
                                     Wait& wait) {
  if (sellers.watcherInterval() == 0) sellers.setWatcherInterval(kWatcherIntervalMs);
  ResultTable& table = sellers.table();
  // The round takes the selection whole: rows ticked while it runs make
  // the next one.
  const std::vector<TickedRow> rows = tickedRows(sellers);
  sellers.resetSelection();
  ContactReport report;
  LocalText newEntries;
  std::vector<int> stillTicked;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    // Between two chats the window's events run. A cancel ends the round:
    // the rows not reached keep their ticks and their place in the selection.
    if (!(i == 0 ? !wait.cancelled() : wait.pause(Wait::Clock::duration::zero()))) {
      for (; i < rows.size(); ++i)
        if (table.shop(rows[i].row).sellerId == rows[i].sellerId) stillTicked.push_back(rows[i].row);
      break;
    }
    switch (contactRow(table, rows[i], launch, report.launches)) {
      case RowContact::Launched:
        newEntries += historyEntry(rows[i].sellerId);
        break;
      case RowContact::NotLaunched:
        stillTicked.push_back(rows[i].row);
        break;
      case RowContact::NoSeller:
      case RowContact::Replaced:
        break;
    }
  }
  // Unless the user took a tick away meanwhile.
  for (int row : stillTicked)
    if (table.tick(row)) sellers.selectAgain(row);
  // Read now, not when the round began: a history deleted meanwhile
  // (删除缓存) stays deleted but for this round's ids.
  report.saved = history.save(history.load(), newEntries);
  return report;
}

}  // namespace quorvane
