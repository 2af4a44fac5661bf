#include "contact/contact_selected.h"

#include <algorithm>
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
RowContact contactRow(ResultTable& table, int row, const LocalText& sellerId, const ChatLauncher& launch,
                      ChatLaunches& launches) {
  if (sellerId.empty()) {
    table.setTick(row, false);
    return RowContact::NoSeller;
  }
  if (!launches.count(launch(buildChatUrl(sellerId)))) return RowContact::NotLaunched;
  table.markContacted(row);
  table.setTick(row, false);
  return RowContact::Launched;
}

}  // namespace

SelectedSellersRound::SelectedSellersRound(SelectedSellers& sellers, HistoryStore& history, ChatLauncher launch,
                                           std::function<void(int row)> launched)
    : sellers_(sellers), history_(history), launch_(std::move(launch)), launched_(std::move(launched)) {
  if (sellers_.watcherInterval() == 0) sellers_.setWatcherInterval(kWatcherIntervalMs);
  const ResultTable& table = sellers_.table();
  for (int row : selectedRows(sellers_.selectionList(), table.rowCount()))
    if (std::none_of(rows_.begin(), rows_.end(), [row](const TickedRow& taken) { return taken.row == row; }))
      rows_.push_back({row, table.shop(row).sellerId});
}

std::optional<ContactSteps::Step> SelectedSellersRound::contactNext() {
  if (next_ == rows_.size()) return std::nullopt;
  const TickedRow& ticked = rows_[next_++];
  ResultTable& table = sellers_.table();
  // A row a new search refilled, or one the user unticked during a paced
  // round, is no longer the user's choice.
  if (table.shop(ticked.row).sellerId != ticked.sellerId || !table.tick(ticked.row)) return Step::Passed;
  switch (contactRow(table, ticked.row, ticked.sellerId, launch_, report_.launches)) {
    case RowContact::Launched:
      sellers_.unselect(ticked.row);
      unsaved_ += historyEntry(ticked.sellerId);
      if (launched_) launched_(ticked.row);
      return Step::Launched;
    case RowContact::NoSeller:
      sellers_.unselect(ticked.row);
      break;
    case RowContact::NotLaunched:
      break;
  }
  return Step::Passed;
}

void SelectedSellersRound::savePoint() {
  report_.saved = history_.save(history_.load(), unsaved_);
  if (report_.saved) unsaved_.clear();
}

ContactReport SelectedSellersRound::finish() {
  savePoint();
  return report_;
}

ContactReport contactSelectedSellers(SelectedSellers& sellers, HistoryStore& history, const ChatLauncher& launch,
                                     Wait& wait) {
  SelectedSellersRound round(sellers, history, launch);
  std::mt19937 unused;
  runContactRound(round, ContactPace{}, wait, {}, unused, {});
  return round.finish();
}

}  // namespace quorvane
