#pragma once
// Finds a literal in a subject, comparing canonical case when asked: the
// scan that lets the matcher jump to where a match can begin.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::regex {

class LiteralFinder {
 public:
  LiteralFinder() = default;
  // With ignoreCase, `literal` must already be in canonical case.
  LiteralFinder(std::u16string literal, bool ignoreCase);

  bool empty() const { return literal_.empty(); }
  // Start of the first occurrence at or after `from`, or npos.
  size_t find(std::u16string_view subject, size_t from) const;
  // Whether the subject's unit can begin an occurrence.
  bool canStartWith(char16_t unit) const;

 private:
  std::vector<char16_t> unitsMatching(char16_t literalUnit) const;
  char16_t folded(char16_t unit) const;
  bool matchesAt(std::u16string_view subject, size_t at) const;

  std::u16string literal_;
  bool ignoreCase_ = false;
  std::vector<char16_t> firstUnits_;  // the subject units literal_[0] matches
  // Horspool's shift for each value of the low byte of the window's last
  // unit (in canonical case): units that share a low byte share the
  // smallest shift, which keeps every shift safe.
  std::array<std::uint16_t, 256> shift_{};
  std::uint16_t fullShift_ = 0;
  // No unit outside ASCII folds into ASCII, so over an ASCII literal such a
  // unit is skipped without being folded (Chinese text, mostly).
  bool asciiLiteral_ = false;
};

}  // namespace quorvane::regex
