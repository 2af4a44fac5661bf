#include "regex/literal_finder.h"

#include <gtest/gtest.h>

#include <random>

#include "regex/case_folding.h"

namespace quorvane::regex {
namespace {

size_t naiveFind(std::u16string_view subject, std::u16string_view literal, size_t from, bool ignoreCase) {
  for (size_t at = from; at + literal.size() <= subject.size(); ++at) {
    size_t i = 0;
    while (i < literal.size() && (ignoreCase ? canonicalCase(subject[at + i]) : subject[at + i]) == literal[i]) ++i;
    if (i == literal.size()) return at;
  }
  return std::u16string_view::npos;
}

std::u16string canonical(std::u16string text) {
  for (char16_t& unit : text) unit = canonicalCase(unit);
  return text;
}

// Units that share a low byte share a shift: "A" (0x41), U+4E41 and U+0141
// must never let the scan jump over a match.
TEST(LiteralFinder, FindsWhatANaiveScanFinds) {
  const std::u16string alphabet = u"aAbB\"\\:\u4e41\u0141\u00e9\u00c9\u03c3\u03a3";
  std::mt19937 random(7);
  auto pick = [&](size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
  for (int round = 0; round < 20000; ++round) {
    std::u16string subject;
    std::u16string literal;
    for (size_t i = pick(40); i > 0; --i) subject += alphabet[pick(alphabet.size())];
    for (size_t i = 1 + pick(5); i > 0; --i) literal += alphabet[pick(alphabet.size())];
    bool ignoreCase = round % 2 == 0;
    if (ignoreCase) literal = canonical(literal);
    size_t from = pick(subject.size() + 2);
    LiteralFinder finder(literal, ignoreCase);
    ASSERT_EQ(finder.find(subject, from), naiveFind(subject, literal, from, ignoreCase))
        << "round " << round;
  }
}

TEST(LiteralFinder, AnEmptyLiteralIsFoundWhereTheSearchStarts) {
  LiteralFinder finder(u"", false);
  EXPECT_EQ(finder.find(u"abc", 2), 2u);
  EXPECT_EQ(finder.find(u"abc", 3), 3u);
  EXPECT_EQ(finder.find(u"abc", 4), std::u16string_view::npos);
}

}  // namespace
}  // namespace quorvane::regex
