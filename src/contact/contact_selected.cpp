#include "contact/contact_selected.h"

#include <algorithm>
#include <charconv>
#include <string_view>

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

SelectedSellersRound::SelectedSellersRound(SelectedSellers& sellers, HistoryStore& history, ChatLauncher launch,
                                           std::function<void(int row)> launched)
    : sellers_(sellers), history_(history), launch_(std::move(launch)), launched_(std::move(launched)) {
  if (sellers_.watcherInterval() == 0) sellers_.setWatcherInterval(kWatcherIntervalMs);
  previous_ = history_.load();
}

std::vector<int> SelectedSellersRound::rowsLeft() const {
  std::vector<int> rows;
  for (int row : selectedRows(sellers_.selectionList(), sellers_.table().rowCount()))
    if (!tried_.count(row) && std::find(rows.begin(), rows.end(), row) == rows.end()) rows.push_back(row);
  return rows;
}

std::optional<ContactSteps::Step> SelectedSellersRound::contactNext() {
  const std::vector<int> left = rowsLeft();
  if (left.empty()) return std::nullopt;
  const int row = left.front();
  tried_.insert(row);
  ResultTable& table = sellers_.table();
  switch (contactRow(table, row, launch_, report_.launches)) {
    case RowContact::Launched:
      newEntries_ += historyEntry(table.shop(row).sellerId);
      sellers_.unselect(row);
      if (launched_) launched_(row);
      return Step::Launched;
    case RowContact::NoSeller:
      sellers_.unselect(row);
      return Step::Passed;
    case RowContact::NotLaunched:
      break;
  }
  return Step::Passed;
}

void SelectedSellersRound::savePoint() { report_.saved = history_.save(previous_, newEntries_); }

ContactReport SelectedSellersRound::finish() {
  savePoint();
  return report_;
}

ContactReport contactSelectedSellers(SelectedSellers& sellers, HistoryStore& history, const ChatLauncher& launch,
                                     const std::function<bool()>& stopRequested) {
  SelectedSellersRound round(sellers, history, launch);
  WithoutPauses pauses(stopRequested);
  std::mt19937 unused;
  runContactRound(round, ContactPace{}, pauses, {}, unused, {});
  return round.finish();
}

}  // namespace quorvane
