#include <gtest/gtest.h>

#include "text/text_between.h"

namespace quorvane {
namespace {

// "#引号" and some Chinese text in GBK.
const std::string kQuoteWord = "#\xD2\xFD\xBA\xC5";
const std::string kZhong = "\xD6\xD0";  // 中
const std::string kWen = "\xCE\xC4";    // 文

TEST(TextBetween, CutsTheTextBetweenTheFirstLeftAndTheNextRight) {
  EXPECT_EQ(textBetween("a[1]b[2]", "[", "]"), "1");
  EXPECT_EQ(textBetween("aXa", "a", "a"), "X");
  EXPECT_EQ(textBetween("xx]=1;yy]=0;", "]=", ";"), "1");
  EXPECT_EQ(textBetween("ab", "a", "b"), "");
}

TEST(TextBetween, SearchesTheRightMarkerOnlyAfterTheLeft) {
  EXPECT_EQ(textBetween("]a[1]", "[", "]"), "1");
  EXPECT_EQ(textBetween("abab", "ab", "a"), "");  // the right "a" after the left "ab"
  EXPECT_EQ(textBetween("aaa", "aa", "a"), "");
}

TEST(TextBetween, MissingMarkerGivesEmpty) {
  EXPECT_EQ(textBetween("abc", "a", "x"), "");
  EXPECT_EQ(textBetween("abc", "x", "c"), "");
  EXPECT_EQ(textBetween("", "a", "b"), "");
  EXPECT_EQ(textBetween("a]", "]", "a"), "");
}

TEST(TextBetween, IgnoresAsciiLetterCaseByDefault) {
  EXPECT_EQ(textBetween("key=Value;", "KEY=", ";"), "Value");
  EXPECT_EQ(textBetween("key=Value;", "KEY=", ";", 1, true), "");
  EXPECT_EQ(textBetween("<B>bold</B>", "<b>", "</b>"), "bold");
  EXPECT_EQ(textBetween("<B>bold</B>", "<B>", "</B>", 1, true), "bold");
}

TEST(TextBetween, FoldsOnlyAsciiLetters) {
  EXPECT_EQ(textBetween("[x]", "{", "}"), "");         // '[' and '{' differ by 0x20
  EXPECT_EQ(textBetween("@x`", "`", "@"), "");
  EXPECT_EQ(textBetween("\xA3\xC1" "x;", "\xA3\xE1", ";"), "");  // fullwidth A is not a
}

TEST(TextBetween, ReplacesTheQuoteWordInBothMarkers) {
  const std::string page = "{\"a\":\"1\",\"b\":\"22\"}";
  EXPECT_EQ(textBetween(page, kQuoteWord + "b" + kQuoteWord + ":" + kQuoteWord, kQuoteWord), "22");
  EXPECT_EQ(textBetween("x\"a\":9", kQuoteWord + "a" + kQuoteWord + ":", ""), "");
  EXPECT_EQ(textBetween("#\xD2\xFD" "a;", "#\xD2\xFD", ";"), "a");  // half the word is literal
  EXPECT_EQ(textBetween("x" + kQuoteWord + "y;", "x" + kQuoteWord, ";"), "");  // never literal
}

TEST(TextBetween, NeverMatchesOnATrailByte) {
  const std::string text = "\xB0" "Abc=1;bc=2;";  // B0 41 is one character
  EXPECT_EQ(textBetween(text, "Abc=", ";"), "");
  EXPECT_EQ(textBetween(text, "Abc=", ";", 1, true), "");
  EXPECT_EQ(textBetween(text, "bc=", ";"), "1");
  EXPECT_EQ(textBetween(kZhong + kWen + "=1;", "\xD0\xCE", ";"), "");  // across two characters
  EXPECT_EQ(textBetween("\xD6\\x\\", "\\", "\\"), "");           // D6 5C is one character
}

TEST(TextBetween, ComparesDoubleByteCharactersExactlyEvenWhenTheTrailLooksLikeALetter) {
  EXPECT_EQ(textBetween("\x81" "a=1;", "\x81" "A=", ";"), "");
  EXPECT_EQ(textBetween("\x81" "A=1;", "\x81" "A=", ";"), "1");
  EXPECT_EQ(textBetween(kZhong + "=" + kWen + ";", kZhong + "=", ";"), kWen);
}

TEST(TextBetween, AMarkerMustEndOnACharacterBoundary) {
  EXPECT_EQ(textBetween("a" + kZhong + "b;", "a\xD6", ";"), "");
}

TEST(TextBetween, ALeadByteWithoutATrailStandsAlone) {
  EXPECT_EQ(textBetween("\x81\"x\"", "\"", "\""), "x");
  EXPECT_EQ(textBetween("=x\x81", "=", "\x81"), "x");
}

TEST(TextBetween, StartsTheSearchAtAOneBasedBytePosition) {
  EXPECT_EQ(textBetween("[1][2]", "[", "]", 1), "1");
  EXPECT_EQ(textBetween("[1][2]", "[", "]", 2), "2");
  EXPECT_EQ(textBetween("[1][2]", "[", "]", 4), "2");
  EXPECT_EQ(textBetween("[1][2]", "[", "]", 5), "");
}

TEST(TextBetween, AStartInsideADoubleByteCharacterMovesToTheNextCharacter) {
  const std::string text = kZhong + "A=1;A=2;";
  EXPECT_EQ(textBetween(text, "A=", ";", 2), "1");
  EXPECT_EQ(textBetween("\xB0" "A=1;A=2;", "A=", ";", 2), "2");  // B0 41 is one character
}

TEST(TextBetween, AStartBeforeTheTextSearchesAllOfItAndOnePastTheEndFindsNothing) {
  EXPECT_EQ(textBetween("[1]", "[", "]", 0), "1");
  EXPECT_EQ(textBetween("[1]", "[", "]", -5), "1");
  EXPECT_EQ(textBetween("[1]", "[", "]", 4), "");
  EXPECT_EQ(textBetween("[1]", "[", "]", 2147483647), "");
}

TEST(TextBetween, AnEmptyMarkerMatchesWhereTheSearchStarts) {
  EXPECT_EQ(textBetween("ab;cd", "", ";"), "ab");
  EXPECT_EQ(textBetween("ab;cd", ";", ""), "");
  EXPECT_EQ(textBetween("ab;cd", "", ";", 2), "b");
  EXPECT_EQ(textBetween("ab", "", "", 3), "");
}

TEST(TextBetween, TreatsNulLikeAnyByte) {
  EXPECT_EQ(textBetween(std::string("a\0[x\0]", 7), "[", "]"), std::string("x\0", 2));
}

}  // namespace
}  // namespace quorvane
