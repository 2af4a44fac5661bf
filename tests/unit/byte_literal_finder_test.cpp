#include "text/byte_literal_finder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quorvane {
namespace {

char foldedLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

size_t naiveFind(std::string_view text, std::string_view literal, size_t from, bool ignoreLetterCase) {
  for (size_t at = from; at + literal.size() <= text.size(); ++at) {
    size_t i = 0;
    while (i < literal.size() && (ignoreLetterCase ? foldedLetter(text[at + i]) == foldedLetter(literal[i])
                                                   : text[at + i] == literal[i]))
      ++i;
    if (i == literal.size()) return at;
  }
  return std::string_view::npos;
}

// Bytes whose pair hashes collide and whose shifts differ: the scan must
// never jump over an occurrence. "a" and "A" fold together, 0xC1 and 0xE1
// (their bytes plus 0x80) must not.
TEST(ByteLiteralFinder, FindsWhatANaiveScanFinds) {
  const std::string alphabet = "aAbB\"\\:,\xC1\xE1\xD5\x5C";
  std::mt19937 random(11);
  auto pick = [&](size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
  for (int round = 0; round < 30000; ++round) {
    std::string text, literal;
    for (size_t i = pick(60); i > 0; --i) text += alphabet[pick(alphabet.size())];
    for (size_t i = 1 + pick(6); i > 0; --i) literal += alphabet[pick(alphabet.size())];
    const bool ignoreLetterCase = round % 2 == 0;
    const size_t from = pick(text.size() + 2);
    ASSERT_EQ(ByteLiteralFinder(literal, ignoreLetterCase).find(text, from),
              naiveFind(text, literal, from, ignoreLetterCase))
        << "round " << round;
  }
}

TEST(ByteLiteralFinder, LiteralsLongerThanAShiftCanHoldAreStillFound) {
  const std::string literal = std::string(300, 'x') + "y" + std::string(200, 'x');
  const std::string text = std::string(1000, 'x') + literal + "z";
  EXPECT_EQ(ByteLiteralFinder(literal, false).find(text, 0), 1000u);
  EXPECT_EQ(ByteLiteralFinder(literal, true).find(text, 1001), std::string_view::npos);
}

TEST(ByteLiteralFinder, AnEmptyLiteralIsFoundWhereTheSearchStarts) {
  ByteLiteralFinder empty("", true);
  EXPECT_EQ(empty.find("abc", 3), 3u);
  EXPECT_EQ(empty.find("abc", 4), std::string_view::npos);
}

}  // namespace
}  // namespace quorvane
