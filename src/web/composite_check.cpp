#include "web/composite_check.h"

#include <algorithm>
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

size_t findJoiningUnit(std::u16string_view units, size_t from) {
  const UnitSet& set = composingUnits();
  while (from < units.size() && !isComposing(set, units[from])) ++from;
  return std::min(from, units.size());
}

size_t skipJoiningUnits(std::u16string_view units, size_t from) {
  const UnitSet& set = composingUnits();
  while (from < units.size() && isComposing(set, units[from])) ++from;
  return std::min(from, units.size());
}

}  // namespace quorvane
