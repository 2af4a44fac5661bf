#include "app/spreadsheet_cell.h"

#include <algorithm>

#include "text/gbk_characters.h"

namespace quorvane {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "-12", "+3.5": what a spreadsheet reads as a number, not as a formula.
bool isSignedNumber(std::string_view text) {
  std::string_view rest = text.substr(1);
  const size_t point = rest.find('.');
  std::string_view whole = rest.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : rest.substr(point + 1);
  return !whole.empty() && std::all_of(whole.begin(), whole.end(), isDigit) &&
         std::all_of(fraction.begin(), fraction.end(), isDigit) &&
         (point == std::string_view::npos || !fraction.empty());
}

}  // namespace

bool wouldRunAsFormula(std::string_view text) {
  if (text.empty()) return false;
  switch (text.front()) {
    case '=':
    case '@':
    case '\t':
    case '\r':
      return true;
    case '+':
    case '-':
      return !isSignedNumber(text);
  }
  return false;
}

LocalText wholeCharacters(std::string_view text) {
  LocalText whole;
  whole.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const size_t length = gbkCharacterLength(text, at);
    const auto first = static_cast<unsigned char>(text[at]);
    if (length == 1 && isGbkLeadByte(first))
      whole += '?';
    else if (first != 0)
      whole.append(text.substr(at, length));
    at += length;
  }
  return whole;
}

LocalText asSpreadsheetText(std::string_view text) {
  LocalText whole = wholeCharacters(text);
  return wouldRunAsFormula(whole) ? "'" + whole : whole;
}

}  // namespace quorvane
