#include "web/cookie_jar.h"

#include <gtest/gtest.h>

#include "web/response_header_scan.h"

namespace quorvane {

TEST(CookieName, TextBeforeTheFirstEqualsTrimmed) {
  EXPECT_EQ(cookieName(" a =1=2"), "a");
  EXPECT_EQ(cookieName("flag"), "flag");
  EXPECT_EQ(cookieName("=v"), "");
  EXPECT_EQ(cookieName(""), "");
}

TEST(HasCookieNamed, NamesCompareExactly) {
  std::vector<LocalText> pieces{"a=1", "Bb=2", "c"};
  EXPECT_TRUE(hasCookieNamed(pieces, "a"));
  EXPECT_TRUE(hasCookieNamed(pieces, "c"));
  EXPECT_FALSE(hasCookieNamed(pieces, "bb"));
  EXPECT_FALSE(hasCookieNamed(pieces, "a=1"));
  EXPECT_FALSE(hasCookieNamed({}, ""));
}

TEST(MergeCookies, ResponseCookiesComeFirstThenOlderOnesItDidNotSet) {
  LocalText cookies = "a=0; x=9", received = "a=1";
  EXPECT_EQ(mergeCookies(cookies, received), "a=1; x=9");
  EXPECT_EQ(cookies, "a=1; x=9");
  LocalText jar = "x=1; y=2; z=3", set = "z=9;w=8";
  EXPECT_EQ(mergeCookies(jar, set), "z=9; w=8; x=1; y=2");
}

TEST(MergeCookies, DeletedCookieLeavesTogetherWithItsOlderValue) {
  LocalText cookies = "x=9; y=1", received = "x=deleted";
  EXPECT_EQ(mergeCookies(cookies, received), "y=1");
  EXPECT_EQ(cookies, "y=1");
  LocalText fresh, deleted = "k=deleted";
  EXPECT_EQ(mergeCookies(fresh, deleted), "");
}

TEST(MergeCookies, SpacesVanishFromBothTextsEvenInsideValues) {
  LocalText cookies = "s=a b", received = " t = 1 ; u=2";
  EXPECT_EQ(mergeCookies(cookies, received), "t=1; u=2; s=ab");
  EXPECT_EQ(received, "t=1;u=2");
  LocalText alone = "s=a b", none;
  EXPECT_EQ(mergeCookies(alone, none), "s=ab");
}

TEST(MergeCookies, EmptyPiecesAreDropped) {
  LocalText cookies = "a=1;;b=2;", received = ";";
  EXPECT_EQ(mergeCookies(cookies, received), "a=1; b=2");
  LocalText empty, nothing;
  EXPECT_EQ(mergeCookies(empty, nothing), "");
}

TEST(MergeCookies, NameMatchIsCaseSensitive) {
  LocalText cookies = "A=0", received = "a=1";
  EXPECT_EQ(mergeCookies(cookies, received), "a=1; A=0");
}

class HeaderScan : public ::testing::Test {
 protected:
  LocalText cookies, received = "stale", location = "stale";
  void scan(std::string_view raw) { scanResponseHeaders(raw, cookies, received, location); }
};

TEST_F(HeaderScan, FirstPairOfEachSetCookieLineOnly) {
  scan("HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; HttpOnly\r\n\r\n");
  EXPECT_EQ(received, "a=1;b=2");
  EXPECT_EQ(cookies, "a=1; b=2");
}

TEST_F(HeaderScan, SetCookieWithoutAttributes) {
  scan("HTTP/1.1 200 OK\r\nSet-Cookie: k=v\r\n\r\n");
  EXPECT_EQ(received, "k=v");
}

TEST_F(HeaderScan, LowerCaseSetCookieLineIsNotCollected) {
  scan("HTTP/1.1 200 OK\r\nset-cookie: k=v; path=/\r\n\r\n");
  EXPECT_EQ(received, "");
  EXPECT_EQ(cookies, "");
}

TEST_F(HeaderScan, SetCookieNameAfterTheLineTestIgnoresCase) {
  // The line test is case-sensitive, the cut after "Set-Cookie:" is not.
  scan("SET-COOKIE:k=v\r\nSet-Cookie SET-COOKIE: q=1\r\nX-Set-Cookie: m=1;p\r\n");
  EXPECT_EQ(received, "q=1;m=1");
}

TEST_F(HeaderScan, LineMentioningSetCookieWithoutItsColonAddsAnEmptyPiece) {
  scan("Set-Cookie2 a=1\r\nSet-Cookie: b=2\r\n");
  EXPECT_EQ(received, ";b=2");
  EXPECT_EQ(cookies, "b=2");
}

TEST_F(HeaderScan, ExistingJarReceivesTheResponseCookies) {
  cookies = "x=9; y=1";
  scan("HTTP/1.1 200 OK\r\nSet-Cookie: x=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT\r\n\r\n");
  EXPECT_EQ(received, "x=deleted");
  EXPECT_EQ(cookies, "y=1");
}

TEST_F(HeaderScan, LocationIsTheValueOfTheLastLocationLine) {
  scan("HTTP/1.1 302 Found\r\nLocation: /first\r\nLocation:  /next \r\n\r\n");
  EXPECT_EQ(location, "/next");
}

TEST_F(HeaderScan, ContentLocationAlsoSetsTheLocation) {
  scan("HTTP/1.1 200 OK\r\nContent-Location: /a\r\n\r\n");
  EXPECT_EQ(location, "/a");
}

TEST_F(HeaderScan, LocationTestIsCaseSensitive) {
  const char* raw = "HTTP/1.1 302 Found\r\nlocation: /x\r\n\r\n";
  scan(raw);
  EXPECT_EQ(location, raw);
}

TEST_F(HeaderScan, WithoutLocationTheLocationIsTheWholeHeaderText) {
  const char* raw = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";
  scan(raw);
  EXPECT_EQ(location, raw);
  EXPECT_EQ(received, "");
}

TEST_F(HeaderScan, HeaderTextThatWasNotReadKeepsTheJarWithoutSpaces) {
  cookies = "a=1; s=x y";
  const LocalText spaces(5000, ' ');
  scan(spaces);
  EXPECT_EQ(received, "");
  EXPECT_EQ(location, spaces);
  EXPECT_EQ(cookies, "a=1; s=xy");
}

TEST_F(HeaderScan, EmptyHeaderText) {
  scan("");
  EXPECT_EQ(received, "");
  EXPECT_EQ(location, "");
}

}  // namespace quorvane
