#include "web/regex/case_folding.h"

#include <array>

namespace quorvane::regex {
namespace {

using CaseTable = std::array<char16_t, 0x10000>;

// Blocks where upper and lower case alternate unit by unit; `upperIsEven`
// tells which of each pair is the capital.
struct AlternatingBlock {
  char16_t first;
  char16_t last;
  bool upperIsEven;
};

constexpr AlternatingBlock kAlternatingBlocks[] = {
    {0x0100, 0x012F, true},  {0x0132, 0x0137, true},  {0x0139, 0x0148, false},
    {0x014A, 0x0177, true},  {0x0179, 0x017E, false}, {0x01CD, 0x01DC, false},
    {0x01DE, 0x01EF, true},  {0x01F8, 0x021F, true},  {0x0222, 0x0233, true},
    {0x03D8, 0x03EF, true},  {0x0460, 0x0481, true},  {0x048A, 0x04BF, true},
    {0x04C1, 0x04CE, false}, {0x04D0, 0x052F, true},  {0x1E00, 0x1E95, true},
    {0x1EA0, 0x1EFF, true},
};

// Blocks whose lower-case units sit at a fixed distance above the capitals.
struct ShiftedBlock {
  char16_t firstLower;
  char16_t lastLower;
  int shift;
};

constexpr ShiftedBlock kShiftedBlocks[] = {
    {0x0061, 0x007A, 32}, {0x00E0, 0x00F6, 32}, {0x00F8, 0x00FE, 32},
    {0x03AD, 0x03AF, 37}, {0x03B1, 0x03C1, 32}, {0x03C3, 0x03CB, 32},
    {0x03CD, 0x03CE, 63}, {0x0430, 0x044F, 32}, {0x0450, 0x045F, 80},
    {0x0561, 0x0586, 48}, {0x2170, 0x217F, 16}, {0x24D0, 0x24E9, 26},
    {0xFF41, 0xFF5A, 32},
};

// Lower-case units whose capital follows no block rule.
constexpr std::pair<char16_t, char16_t> kSingles[] = {
    {0x00B5, 0x039C}, {0x00FF, 0x0178}, {0x0345, 0x0399}, {0x03AC, 0x0386},
    {0x03C2, 0x03A3}, {0x03CC, 0x038C}, {0x03D0, 0x0392}, {0x03D1, 0x0398},
    {0x03D5, 0x03A6}, {0x03D6, 0x03A0}, {0x03F0, 0x039A}, {0x03F1, 0x03A1},
    {0x03F5, 0x0395}, {0x04CF, 0x04C0},
};

CaseTable buildCaseTable() {
  CaseTable table;
  for (unsigned unit = 0; unit < table.size(); ++unit) table[unit] = static_cast<char16_t>(unit);
  for (const AlternatingBlock& block : kAlternatingBlocks) {
    for (unsigned unit = block.first; unit <= block.last; ++unit) {
      bool isLower = (unit % 2 == 0) != block.upperIsEven;
      if (isLower) table[unit] = static_cast<char16_t>(unit - 1);
    }
  }
  for (const ShiftedBlock& block : kShiftedBlocks) {
    for (unsigned unit = block.firstLower; unit <= block.lastLower; ++unit)
      table[unit] = static_cast<char16_t>(unit - block.shift);
  }
  for (auto [lower, upper] : kSingles) table[lower] = upper;
  return table;
}

}  // namespace

char16_t canonicalCaseAboveAscii(char16_t unit) {
  static const CaseTable table = buildCaseTable();
  return table[unit];
}

}  // namespace quorvane::regex
