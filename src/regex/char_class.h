#pragma once
// A set of UTF-16 code units, kept as sorted, disjoint ranges, with a bitmap
// for the ASCII units that patterns mostly test.
#include <array>
#include <cstdint>
#include <vector>

namespace quorvane::regex {

struct UnitRange {
  char16_t first;
  char16_t last;
};

class CharClass {
 public:
  static CharClass of(std::vector<UnitRange> ranges);
  static CharClass digits();
  static CharClass wordCharacters();
  static CharClass whiteSpace();

  void add(char16_t first, char16_t last);
  void add(const CharClass& other);
  CharClass complement() const;
  // The canonical case of every member, for ignore-case matching.
  CharClass caseCanonical() const;

  bool contains(char16_t unit) const {
    if (unit < 128) return (ascii_[unit >> 6] >> (unit & 63)) & 1;
    return containsAboveAscii(unit);
  }
  const std::vector<UnitRange>& ranges() const { return ranges_; }

 private:
  bool containsAboveAscii(char16_t unit) const;
  void normalize();

  std::vector<UnitRange> ranges_;
  std::array<std::uint64_t, 2> ascii_{};
};

}  // namespace quorvane::regex
