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

void ResultTable::clearResults() {
  for (int row = 1; row <= kLastRow; ++row) rows_[static_cast<size_t>(row)] = Row{};
  filledRows_ = 0;
  changed(1, kLastRow);
}

void ResultTable::setShop(int row, const ShopRow& shop) {
  Row* r = at(row);
  if (!r) return;
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
