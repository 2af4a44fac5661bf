#include "regex/case_folding.h"

#include <array>

namespace quorvane::regex {
namespace {

struct FoldingPair {
  char16_t unit;
  char16_t folded;
};

// Generated at build time from the Unicode character database
// (cmake/unicode_tables.cmake).
constexpr FoldingPair kSimpleCaseFolding[] = {
#include "case_folding_pairs.inc"
};

using CaseTable = std::array<char16_t, 0x10000>;

CaseTable buildCaseTable() {
  CaseTable table;
  for (unsigned unit = 0; unit < table.size(); ++unit) table[unit] = static_cast<char16_t>(unit);
  for (auto [unit, folded] : kSimpleCaseFolding) {
    if (unit >= 0x80 && folded < 0x80) continue;
    table[unit] = folded;
  }
  return table;
}

}  // namespace

char16_t canonicalCaseAboveAscii(char16_t unit) {
  static const CaseTable table = buildCaseTable();
  return table[unit];
}

}  // namespace quorvane::regex
