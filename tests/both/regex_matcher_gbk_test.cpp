// RegexMatcher over local text on both ports: the cut captures and byte
// positions must agree with how each port's code page conversion counts
// characters, lead and trail bytes included.
#include <gtest/gtest.h>

#include "text/regex_matcher.h"

namespace quorvane {
namespace {

const std::string kZhong = "\xD6\xD0";  // 中
const std::string kJin = "\xE5\x5C";    // 錦: its second byte is a backslash
const std::string kHua = "\xC8\x41";    // 華: its second byte is "A"

TEST(RegexMatcherGbk, CapturesComeBackByteForByte) {
  RegexMatcher matcher;
  std::string subject = "{\\\"ind\\\":\\\"" + kJin + kHua + "/" + kZhong + "\\\",\\\"x\\\":1}";
  ASSERT_TRUE(matcher.execute("ind\\\\\":\\\\\"(.*?)\\\\", subject, false));
  ASSERT_EQ(matcher.matchCount(), 1);
  EXPECT_EQ(matcher.subMatchText(1, 1), kJin + kHua + "/" + kZhong);
}

TEST(RegexMatcherGbk, PositionsCountTheBytesOfDoubleByteCharacters) {
  RegexMatcher matcher;
  std::string subject = kZhong + kJin + "a=" + kHua + ";" + kZhong + "a=9";
  ASSERT_TRUE(matcher.execute("a=(.)", subject, false));
  ASSERT_EQ(matcher.matchCount(), 2);
  int position = -99;
  EXPECT_EQ(matcher.matchText(1, &position), "a=" + kHua);
  EXPECT_EQ(position, 4);
  EXPECT_EQ(matcher.subMatchText(2, 1, &position), "9");
  EXPECT_EQ(position, 13);
}

TEST(RegexMatcherGbk, ATrailByteIsNeverTakenForTheAsciiItLooksLike) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.execute("a|\\\\", kHua + kJin, false));
  EXPECT_EQ(matcher.matchCount(), 0);
  ASSERT_TRUE(matcher.execute(kHua + "+", "x" + kHua + kHua + "y"));
  EXPECT_EQ(matcher.matchText(1), kHua + kHua);
}

TEST(RegexMatcherGbk, ReplaceKeepsTheChineseAroundTheMatches) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.execute("(\\d+)", kZhong + "12" + kJin + "3"));
  EXPECT_EQ(matcher.replace("<$1>"), kZhong + "<12>" + kJin + "<3>");
}

// Field patterns are scanned over the local text itself; what they leave
// reads and replaces like any other pattern's results.
TEST(RegexMatcherGbk, AFieldPatternsResultsReadAndReplaceLikeAnyOther) {
  RegexMatcher matcher;
  const std::string kCheng = "\xD5\x5C";  // 誠: its second byte is a backslash
  ASSERT_TRUE(matcher.execute("A(.*?)\\\\", kZhong + "a" + kCheng + "\\" + kZhong, false));
  ASSERT_EQ(matcher.matchCount(), 1);
  int position = -99;
  EXPECT_EQ(matcher.subMatchText(1, 1, &position), kCheng);
  EXPECT_EQ(position, 3);
  EXPECT_EQ(matcher.matchText(1, &position), "a" + kCheng + "\\");
  EXPECT_EQ(position, 2);
  EXPECT_EQ(matcher.subMatchCount(), 1);
  EXPECT_EQ(matcher.replace("<$1>"), kZhong + "<" + kCheng + ">" + kZhong);
}

}  // namespace
}  // namespace quorvane
