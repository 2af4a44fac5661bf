#include "text/letter_case.h"

#include "text/gbk_characters.h"

namespace quorvane {
namespace {

char lowerLetter(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringLetterCase(std::string_view text, std::size_t at, std::string_view needle) {
  for (std::size_t i = 0; i < needle.size(); ++i) {
    if (lowerLetter(text[at + i]) != lowerLetter(needle[i])) return false;
  }
  return true;
}

}  // namespace

LocalText toLowerLetters(std::string_view text) {
  LocalText lower(text);
  for (std::size_t at = 0; at < lower.size(); at += gbkCharacterLength(lower, at)) {
    if (gbkCharacterLength(lower, at) == 1) lower[at] = lowerLetter(lower[at]);
  }
  return lower;
}

std::size_t findIgnoringLetterCase(std::string_view text, std::string_view needle,
                                   std::size_t from) {
  if (from > text.size()) return std::string_view::npos;
  for (std::size_t at = gbkBoundaryAtOrAfter(text, from); at + needle.size() <= text.size();
       at += gbkCharacterLength(text, at)) {
    if (equalIgnoringLetterCase(text, at, needle)) return at;
  }
  return std::string_view::npos;
}

}  // namespace quorvane
