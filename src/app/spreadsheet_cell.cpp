#include "app/spreadsheet_cell.h"

#include <algorithm>

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

LocalText asSpreadsheetText(std::string_view text) {
  return wouldRunAsFormula(text) ? "'" + LocalText(text) : LocalText(text);
}

}  // namespace quorvane
