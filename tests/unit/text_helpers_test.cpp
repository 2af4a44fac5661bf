#include <gtest/gtest.h>

#include "text/letter_case.h"
#include "text/text_pieces.h"

namespace quorvane {

TEST(SplitText, PiecesBetweenSeparatorsEmptyOnesIncluded) {
  EXPECT_EQ(splitText("a;b", ";"), (std::vector<LocalText>{"a", "b"}));
  EXPECT_EQ(splitText(";a;;", ";"), (std::vector<LocalText>{"", "a", "", ""}));
  EXPECT_EQ(splitText("l1\r\nl2\r\n\r\n", "\r\n"), (std::vector<LocalText>{"l1", "l2", "", ""}));
  EXPECT_TRUE(splitText("", ";").empty());
  EXPECT_EQ(splitText("abc", ";"), (std::vector<LocalText>{"abc"}));
}

TEST(TrimSpaces, OnlySpacesAroundTheText) {
  EXPECT_EQ(trimSpaces("  a b  "), "a b");
  EXPECT_EQ(trimSpaces("   "), "");
  EXPECT_EQ(trimSpaces("\ta\t"), "\ta\t");
}

TEST(LetterCase, LowersAsciiLettersButNotSecondBytesOfChinese) {
  EXPECT_EQ(toLowerLetters("AbC-9"), "abc-9");
  EXPECT_EQ(toLowerLetters("\xB0\x41" "A"), "\xB0\x41" "a");
  EXPECT_EQ(toLowerLetters("\xFF"), "\xFF");  // a lead byte at the very end
}

TEST(LetterCase, FindIgnoresLetterCase) {
  EXPECT_EQ(findIgnoringLetterCase("ab USER-agent: x", "User-Agent:"), 3u);
  EXPECT_EQ(findIgnoringLetterCase("abc", "C", 2), 2u);
  EXPECT_EQ(findIgnoringLetterCase("abc", "a", 1), std::string_view::npos);
  EXPECT_EQ(findIgnoringLetterCase("ab", "abc"), std::string_view::npos);
  EXPECT_EQ(findIgnoringLetterCase("ab", "", 2), 2u);
  EXPECT_EQ(findIgnoringLetterCase("ab", "", 3), std::string_view::npos);
}

TEST(LetterCase, FindNeverStartsInsideAChineseCharacter) {
  // "\x81\x41" is one character whose second byte reads as "A".
  EXPECT_EQ(findIgnoringLetterCase("\x81\x41" "BC", "abc"), std::string_view::npos);
  EXPECT_EQ(findIgnoringLetterCase("\x81\x41" "BC abc", "ABC"), 5u);
}

}  // namespace quorvane
