#include "app/selection.h"

#include <algorithm>
#include <string>

namespace quorvane {

static LocalText entryOf(int row) { return std::to_string(row) + ","; }

// Where the whole entry for `row` starts in `list`, or npos. An entry starts
// at the beginning or right after a ",".
static size_t findEntry(const LocalText& list, int row) {
  const LocalText entry = entryOf(row);
  for (size_t at = list.find(entry); at != LocalText::npos; at = list.find(entry, at + 1))
    if (at == 0 || list[at - 1] == ',') return at;
  return LocalText::npos;
}

bool Selection::contains(int row) const { return findEntry(list_, row) != LocalText::npos; }

LocalText Selection::label() const {
  return "\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" + std::to_string(count_) + " \xB8\xF6";
}

void Selection::add(int row) {
  list_ += entryOf(row);
  ++count_;
  changed();
}

bool Selection::remove(int row) {
  size_t at = findEntry(list_, row);
  if (at == LocalText::npos) return false;
  list_.erase(at, entryOf(row).size());
  --count_;
  changed();
  return true;
}

void Selection::reset() {
  list_.clear();
  count_ = 0;
  changed();
}

void Selection::changed() const {
  if (listener_) listener_();
}

// The filter admits exactly the online sellers not yet contacted, by the
// texts their row shows.
static bool admittedByFilter(const ResultTable& table, int row) {
  const ShopRow& shop = table.shop(row);
  return shop.presence == kOnlineText && shop.contactState == kNotContactedText;
}

void toggleSelectedRows(ResultTable& table, Selection& selection, int firstRow, int lastRow,
                        bool filter) {
  if (firstRow < 0) return;
  const int first = std::max(firstRow, 1);
  const int last = std::min(lastRow, table.rowCount() - 1);
  for (int row = first; row <= last; ++row) {
    if (table.tick(row)) {
      table.setTick(row, false);
      selection.remove(row);
    } else if (!filter || admittedByFilter(table, row)) {
      table.setTick(row, true);
      selection.add(row);
    }
  }
}

}  // namespace quorvane
