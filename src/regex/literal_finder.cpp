#include "regex/literal_finder.h"

#include <algorithm>

#include "regex/case_folding.h"

namespace quorvane::regex {

LiteralFinder::LiteralFinder(std::u16string literal, bool ignoreCase)
    : literal_(std::move(literal)), ignoreCase_(ignoreCase) {
  if (literal_.empty()) return;
  firstUnits_ = unitsMatching(literal_[0]);
  // Literals longer than a shift can hold are still found, only more slowly.
  const size_t length = std::min<size_t>(literal_.size(), 0xFFFF);
  fullShift_ = static_cast<std::uint16_t>(length);
  shift_.fill(fullShift_);
  asciiLiteral_ = std::all_of(literal_.begin(), literal_.end(), [](char16_t unit) { return unit < 0x80; });
  for (size_t i = literal_.size() - length; i + 1 < literal_.size(); ++i)
    shift_[literal_[i] & 0xFF] = static_cast<std::uint16_t>(literal_.size() - 1 - i);
}

// No unit outside ASCII folds into it, so an ASCII unit matches itself and
// at most its capital letter.
std::vector<char16_t> LiteralFinder::unitsMatching(char16_t literalUnit) const {
  if (!ignoreCase_) return {literalUnit};
  if (literalUnit < 0x80) {
    if (literalUnit >= u'a' && literalUnit <= u'z') return {literalUnit, static_cast<char16_t>(literalUnit - 32)};
    return {literalUnit};
  }
  std::vector<char16_t> units;
  for (unsigned unit = 0x80; unit <= 0xFFFF; ++unit) {
    if (canonicalCase(static_cast<char16_t>(unit)) == literalUnit) units.push_back(static_cast<char16_t>(unit));
  }
  return units;
}

bool LiteralFinder::canStartWith(char16_t unit) const {
  return std::find(firstUnits_.begin(), firstUnits_.end(), unit) != firstUnits_.end();
}

char16_t LiteralFinder::folded(char16_t unit) const { return ignoreCase_ ? canonicalCase(unit) : unit; }

size_t LiteralFinder::find(std::u16string_view subject, size_t from) const {
  constexpr size_t kNotFound = std::u16string_view::npos;
  if (literal_.empty()) return from <= subject.size() ? from : kNotFound;
  if (literal_.size() > subject.size() || from > subject.size() - literal_.size()) return kNotFound;
  const size_t last = literal_.size() - 1;
  const char16_t lastUnit = literal_[last];
  for (size_t start = from; start + last < subject.size();) {
    const char16_t raw = subject[start + last];
    if (raw >= 0x80 && asciiLiteral_) {
      start += fullShift_;
      continue;
    }
    const char16_t unit = folded(raw);
    if (unit == lastUnit && matchesAt(subject, start)) return start;
    start += shift_[unit & 0xFF];
  }
  return kNotFound;
}

bool LiteralFinder::matchesAt(std::u16string_view subject, size_t at) const {
  for (size_t i = 0; i < literal_.size(); ++i) {
    char16_t unit = ignoreCase_ ? canonicalCase(subject[at + i]) : subject[at + i];
    if (unit != literal_[i]) return false;
  }
  return true;
}

}  // namespace quorvane::regex
