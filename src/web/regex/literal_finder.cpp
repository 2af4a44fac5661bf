#include "web/regex/literal_finder.h"

#include <algorithm>

#include "web/regex/case_folding.h"

namespace quorvane::regex {

LiteralFinder::LiteralFinder(std::u16string literal, bool ignoreCase)
    : literal_(std::move(literal)), ignoreCase_(ignoreCase) {
  if (literal_.empty()) return;
  if (!ignoreCase_) {
    firstUnits_ = {literal_[0]};
    return;
  }
  for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
    if (canonicalCase(static_cast<char16_t>(unit)) == literal_[0]) firstUnits_.push_back(static_cast<char16_t>(unit));
  }
}

bool LiteralFinder::canStartWith(char16_t unit) const {
  return std::find(firstUnits_.begin(), firstUnits_.end(), unit) != firstUnits_.end();
}

size_t LiteralFinder::find(std::u16string_view subject, size_t from) const {
  if (literal_.empty()) return from <= subject.size() ? from : std::u16string_view::npos;
  if (literal_.size() > subject.size()) return std::u16string_view::npos;
  size_t lastStart = subject.size() - literal_.size();
  if (firstUnits_.size() == 1) {
    char16_t first = firstUnits_[0];
    for (size_t at = subject.find(first, from); at <= lastStart; at = subject.find(first, at + 1)) {
      if (matchesAt(subject, at)) return at;
    }
    return std::u16string_view::npos;
  }
  for (size_t at = from; at <= lastStart; ++at) {
    if (canStartWith(subject[at]) && matchesAt(subject, at)) return at;
  }
  return std::u16string_view::npos;
}

bool LiteralFinder::matchesAt(std::u16string_view subject, size_t at) const {
  for (size_t i = 1; i < literal_.size(); ++i) {
    char16_t unit = ignoreCase_ ? canonicalCase(subject[at + i]) : subject[at + i];
    if (unit != literal_[i]) return false;
  }
  return true;
}

}  // namespace quorvane::regex
