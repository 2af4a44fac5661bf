// Ignore-case matching against the Unicode data the engine's table is
// generated from (read here on its own): the canonical case of every unit of
// the Basic Multilingual Plane, and, through the whole engine, every pair of
// case partners of which one is a character of code page 936.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "regex/case_folding.h"
#include "regex/regex.h"
#include "text/code_pages.h"

namespace quorvane::regex {
namespace {

// Unit -> its simple case folding (statuses C and S), the unit itself
// where the data has none.
std::vector<char16_t> simpleCaseFolding() {
  std::vector<char16_t> folding(0x10000);
  for (unsigned unit = 0; unit < folding.size(); ++unit) folding[unit] = static_cast<char16_t>(unit);
  std::ifstream data(QUORVANE_CASE_FOLDING_TXT);
  std::string line;
  while (std::getline(data, line)) {
    std::istringstream fields(line.substr(0, line.find('#')));
    std::string code, status, mapping;
    if (!std::getline(fields, code, ';') || !std::getline(fields, status, ';') || !std::getline(fields, mapping, ';'))
      continue;
    if (status.find_first_of("CS") == std::string::npos) continue;
    const unsigned long unit = std::stoul(code, nullptr, 16);
    const unsigned long folded = std::stoul(mapping, nullptr, 16);
    if (unit <= 0xFFFF && folded <= 0xFFFF) folding[unit] = static_cast<char16_t>(folded);
  }
  return folding;
}

bool isAscii(char16_t unit) { return unit < 0x80; }

bool inCodePage936(char16_t unit) {
  if (unit >= 0xD800 && unit < 0xE000) return false;
  const Utf16Text one(1, unit);
  const ByteArray bytes = utf16ToMultiByte(one, kLocalCodePage, 0);
  return bytes != "?" && multiByteToUtf16(bytes, kLocalCodePage) == one;
}

std::u16string escaped(char16_t unit) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  return {u'\\', u'u', kHex[unit >> 12], kHex[(unit >> 8) & 15], kHex[(unit >> 4) & 15], kHex[unit & 15]};
}

std::u16string inClass(char16_t unit) { return std::u16string(u"[").append(escaped(unit)).append(u"]"); }

bool matchesIgnoringCase(const std::u16string& pattern, char16_t unit) {
  Regex regex(pattern, {true, false, false});
  return regex.ok() && regex.findAll(std::u16string(1, unit)).size() == 1;
}

TEST(RegexCaseFolding, EveryBmpUnitHasTheSimpleCaseFoldingOfTheUnicodeData) {
  const std::vector<char16_t> folding = simpleCaseFolding();
  int folded = 0;
  int mismatches = 0;
  for (unsigned unit = 0; unit < folding.size(); ++unit) {
    const auto u = static_cast<char16_t>(unit);
    folded += folding[u] != u;
    // Without the "u" flag nothing outside ASCII folds into it.
    const char16_t expected = !isAscii(u) && isAscii(folding[u]) ? u : folding[u];
    if (canonicalCase(u) == expected) continue;
    if (++mismatches <= 10)
      ADD_FAILURE() << std::hex << "U+" << unit << ": " << unsigned(canonicalCase(u)) << ", data " << unsigned(expected);
  }
  EXPECT_GT(folded, 1000) << "the Unicode data was not read";
  EXPECT_EQ(mismatches, 0);
}

TEST(RegexCaseFolding, EveryCasePartnerOfACodePage936CharacterMatchesItBothWays) {
  const std::vector<char16_t> folding = simpleCaseFolding();
  std::map<char16_t, std::vector<char16_t>> partners;  // by folded form
  for (unsigned unit = 0; unit < folding.size(); ++unit) partners[folding[unit]].push_back(static_cast<char16_t>(unit));
  int checked = 0;
  int mismatches = 0;
  for (const auto& [key, units] : partners) {
    for (char16_t a : units) {
      for (char16_t b : units) {
        if (a == b || !(inCodePage936(a) || inCodePage936(b))) continue;
        ++checked;
        const bool expected = isAscii(a) == isAscii(b);
        if (matchesIgnoringCase(escaped(a), b) == expected &&
            matchesIgnoringCase(inClass(a), b) == expected)
          continue;
        if (++mismatches <= 10)
          ADD_FAILURE() << std::hex << "U+" << unsigned(a) << " and U+" << unsigned(b)
                        << (expected ? " should match" : " should not match");
      }
    }
  }
  EXPECT_GT(checked, 300);
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace quorvane::regex
