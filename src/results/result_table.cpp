#include "results/result_table.h"

#include <algorithm>

namespace quorvane {

ResultTable::ResultTable() : rows_(kRowCount) {}

ResultTable::Row* ResultTable::at(int row) { return isResultRow(row) ? &rows_[static_cast<size_t>(row)] : nullptr; }

const ResultTable::Row* ResultTable::at(int row) const {
  return isResultRow(row) ? &rows_[static_cast<size_t>(row)] : nullptr;
}

LocalText ResultTable::text(int row, Column column) const {
  if (row == 0) return columnTitle(column);
  const Row* r = at(row);
  return r ? r->shop.text(column) : LocalText();
}

const ShopRow& ResultTable::shop(int row) const {
  static const ShopRow kEmpty;
  const Row* r = at(row);
  return r ? r->shop : kEmpty;
}

bool ResultTable::tick(int row) const {
  const Row* r = at(row);
  return r && r->tick;
}

RowLook ResultTable::look(int row) const {
  const Row* r = at(row);
  return r ? r->look : RowLook::Cleared;
}

RowColours ResultTable::colours(int row, Column column) const {
  return coloursOf(column == Column::Tick ? RowLook::Cleared : look(row));
}

namespace {

const LocalText& entryOf(const std::vector<LocalText>& list, int index) {
  static const LocalText kNone;
  return index >= 0 && index < static_cast<int>(list.size()) ? list[static_cast<size_t>(index)] : kNone;
}

std::int16_t runIndex(int index, size_t listSize) {
  return index >= 0 && static_cast<size_t>(index) < listSize ? static_cast<std::int16_t>(index) : std::int16_t{-1};
}

}  // namespace

const LocalText& ResultTable::keywordOf(int row) const {
  const Row* r = at(row);
  return entryOf(run_.keywords, r ? r->keyword : -1);
}

const LocalText& ResultTable::provinceOf(int row) const {
  const Row* r = at(row);
  return entryOf(run_.provinces, r ? r->province : -1);
}

void ResultTable::clearResults(SearchRun run) {
  for (int row = 1; row <= kLastRow; ++row) rows_[static_cast<size_t>(row)] = Row{};
  run_ = std::move(run);
  filledRows_ = 0;
  changed(1, kLastRow);
}

void ResultTable::setShop(int row, const ShopRow& shop, int keyword, int province) {
  Row* r = at(row);
  if (!r) return;
  r->keyword = runIndex(keyword, run_.keywords.size());
  r->province = runIndex(province, run_.provinces.size());
  LocalText presence = std::move(r->shop.presence), contactState = std::move(r->shop.contactState);
  r->shop = shop;
  r->shop.presence = std::move(presence);
  r->shop.contactState = std::move(contactState);
  filledRows_ = std::max(filledRows_, row);
  changed(row, row);
}

void ResultTable::applyStatus(int row, const RowStatus& status) {
  Row* r = at(row);
  if (!r) return;
  r->shop.presence = status.presence;
  if (!r->contactedByUser) {
    r->shop.contactState = status.contactState;
    if (status.look) r->look = *status.look;
  }
  changed(row, row);
}

void ResultTable::markContacted(int row) {
  Row* r = at(row);
  if (!r) return;
  r->shop.contactState = kContactedText;
  r->look = RowLook::Contacted;
  r->contactedByUser = true;
  changed(row, row);
}

void ResultTable::setTick(int row, bool ticked) {
  Row* r = at(row);
  if (!r) return;
  r->tick = ticked;
  changed(row, row);
}

void ResultTable::changed(int firstRow, int lastRow) {
  if (openBatches_ > 0) {
    heldChange_ = heldChange_ ? std::pair{std::min(heldChange_->first, firstRow), std::max(heldChange_->second, lastRow)}
                              : std::pair{firstRow, lastRow};
    return;
  }
  if (listener_) listener_(firstRow, lastRow);
}

ResultTable::ChangeBatch::ChangeBatch(ResultTable& table) : table_(table) { ++table_.openBatches_; }

ResultTable::ChangeBatch::~ChangeBatch() {
  if (--table_.openBatches_ > 0 || !table_.heldChange_) return;
  const auto [first, last] = *table_.heldChange_;
  table_.heldChange_.reset();
  table_.changed(first, last);
}

}  // namespace quorvane
