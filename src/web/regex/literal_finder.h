#pragma once
// Finds a literal in a subject, comparing canonical case when asked: the
// scan that lets the matcher jump to where a match can begin.
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
  bool matchesAt(std::u16string_view subject, size_t at) const;

  std::u16string literal_;
  bool ignoreCase_ = false;
  std::vector<char16_t> firstUnits_;  // every unit whose canonical case is literal_[0]
};

}  // namespace quorvane::regex
