#include "text/composite_check.h"

#include <bitset>

namespace quorvane {
namespace {

struct UnitRange {
  char16_t first;
  char16_t last;
};

// Generated at build time from the Unicode character database
// (cmake/unicode_tables.cmake): combining marks, and the second units of
// canonical decompositions into two characters.
constexpr UnitRange kComposingUnits[] = {
#include "composing_units.inc"
};

constexpr char16_t kFirstComposingUnit = 0x0300;

using UnitSet = std::bitset<0x10000>;

const UnitSet& composingUnits() {
  static const UnitSet units = [] {
    UnitSet set;
    for (UnitRange range : kComposingUnits) {
      for (unsigned unit = range.first; unit <= range.last; ++unit) set.set(unit);
    }
    return set;
  }();
  return units;
}

bool isComposing(const UnitSet& set, char16_t unit) { return unit >= kFirstComposingUnit && set[unit]; }

}  // namespace

bool mayJoinThePreviousUnit(char16_t unit) { return isComposing(composingUnits(), unit); }

JoinableStretch nextJoinableStretch(std::u16string_view units, size_t from, size_t shortPlainRun) {
  const UnitSet& set = composingUnits();
  const size_t size = units.size();
  size_t mark = from;
  while (mark < size && !isComposing(set, units[mark])) ++mark;
  if (mark == size) return {size, size};
  // On until a plain run long enough follows the last mark; in text dense
  // with marks this loop is where the time goes, so it does not branch on
  // each unit.
  size_t lastMark = mark;
  for (size_t at = mark + 1; at < size && at - lastMark <= shortPlainRun; ++at)
    lastMark = isComposing(set, units[at]) ? at : lastMark;
  return {mark == 0 ? 0 : mark - 1, lastMark + 1};
}

}  // namespace quorvane
