#include "regex/char_class.h"

#include <algorithm>

#include "regex/case_folding.h"

namespace quorvane::regex {

CharClass CharClass::of(std::vector<UnitRange> ranges) {
  CharClass set;
  set.ranges_ = std::move(ranges);
  set.normalize();
  return set;
}

CharClass CharClass::digits() {
  CharClass set;
  set.add(u'0', u'9');
  return set;
}

CharClass CharClass::wordCharacters() {
  CharClass set;
  set.add(u'0', u'9');
  set.add(u'A', u'Z');
  set.add(u'_', u'_');
  set.add(u'a', u'z');
  return set;
}

CharClass CharClass::whiteSpace() {
  CharClass set;
  for (UnitRange range : {UnitRange{0x09, 0x0D}, UnitRange{0x20, 0x20}, UnitRange{0xA0, 0xA0},
                          UnitRange{0x1680, 0x1680}, UnitRange{0x2000, 0x200A},
                          UnitRange{0x2028, 0x2029}, UnitRange{0x202F, 0x202F},
                          UnitRange{0x205F, 0x205F}, UnitRange{0x3000, 0x3000},
                          UnitRange{0xFEFF, 0xFEFF}})
    set.add(range.first, range.last);
  return set;
}

void CharClass::add(char16_t first, char16_t last) {
  ranges_.push_back({first, last});
  normalize();
}

void CharClass::add(const CharClass& other) {
  ranges_.insert(ranges_.end(), other.ranges_.begin(), other.ranges_.end());
  normalize();
}

CharClass CharClass::complement() const {
  CharClass result;
  unsigned next = 0;
  for (UnitRange range : ranges_) {
    if (range.first > next)
      result.ranges_.push_back({static_cast<char16_t>(next), static_cast<char16_t>(range.first - 1)});
    next = range.last + 1u;
  }
  if (next <= 0xFFFF) result.ranges_.push_back({static_cast<char16_t>(next), u'\xFFFF'});
  result.normalize();
  return result;
}

CharClass CharClass::caseCanonical() const {
  std::vector<bool> members(0x10000);
  for (UnitRange range : ranges_) {
    for (unsigned unit = range.first; unit <= range.last; ++unit)
      members[canonicalCase(static_cast<char16_t>(unit))] = true;
  }
  CharClass result;
  for (unsigned unit = 0; unit < members.size(); ++unit) {
    if (!members[unit]) continue;
    unsigned last = unit;
    while (last + 1 < members.size() && members[last + 1]) ++last;
    result.ranges_.push_back({static_cast<char16_t>(unit), static_cast<char16_t>(last)});
    unit = last;
  }
  result.normalize();
  return result;
}

bool CharClass::containsAboveAscii(char16_t unit) const {
  auto after = std::upper_bound(ranges_.begin(), ranges_.end(), unit,
                                [](char16_t value, UnitRange range) { return value < range.first; });
  return after != ranges_.begin() && unit <= std::prev(after)->last;
}

void CharClass::normalize() {
  std::sort(ranges_.begin(), ranges_.end(),
            [](UnitRange a, UnitRange b) { return a.first < b.first; });
  std::vector<UnitRange> merged;
  for (UnitRange range : ranges_) {
    if (!merged.empty() && range.first <= merged.back().last + 1u)
      merged.back().last = std::max(merged.back().last, range.last);
    else
      merged.push_back(range);
  }
  ranges_ = std::move(merged);
  ascii_ = {};
  for (UnitRange range : ranges_) {
    for (unsigned unit = range.first; unit <= range.last && unit < 128; ++unit)
      ascii_[unit >> 6] |= std::uint64_t{1} << (unit & 63);
  }
}

}  // namespace quorvane::regex
