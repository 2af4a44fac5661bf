#include "web/url_parts.h"

#include <gtest/gtest.h>

namespace quorvane {

TEST(UrlParts, UrlWithoutPathAsksForTheRootOnPort80) {
  EXPECT_EQ(urlHost("http://host"), "host");
  EXPECT_EQ(urlPort("http://host"), 80);
  EXPECT_EQ(urlPath("http://host"), "/");
}

TEST(UrlParts, HttpsWithPortAndQueryConnectsToTheBareHost) {
  const char* url = "https://host:8443/a?b=1";
  EXPECT_EQ(urlHost(url), "host");
  EXPECT_EQ(urlPort(url), 8443);
  EXPECT_EQ(urlPath(url), "/a?b=1");
  EXPECT_TRUE(isHttpsUrl(url));
}

TEST(UrlParts, SchemeInCapitalsIsPlainHttpWithLowerCaseHostAndPathCaseKept) {
  const char* url = "HTTP://Host/Path";
  EXPECT_EQ(urlHost(url), "host");
  EXPECT_EQ(urlPath(url), "/Path");
  EXPECT_EQ(urlPort(url), 80);
  EXPECT_FALSE(isHttpsUrl(url));
}

TEST(UrlParts, HttpsInCapitalsIsStillHttps) {
  EXPECT_TRUE(isHttpsUrl("HTTPS://Host/"));
  EXPECT_EQ(urlPort("HTTPS://Host/"), 443);
  EXPECT_EQ(urlHost("HTTPS://Host/"), "host");
}

TEST(UrlParts, UrlWithoutSchemeIsPlainHttp) {
  EXPECT_EQ(urlHost("host/x"), "host");
  EXPECT_EQ(urlPort("host/x"), 80);
  EXPECT_EQ(urlPath("host/x"), "/x");
}

TEST(UrlParts, ExplicitPortWithoutPath) {
  EXPECT_EQ(urlHost("http://host:8080"), "host");
  EXPECT_EQ(urlHost("http://host:8080", false, true), "host:8080");
  EXPECT_EQ(urlPort("http://host:8080"), 8080);
  EXPECT_EQ(urlPath("http://host:8080"), "/");
}

TEST(UrlParts, DomainOnlyKeepsTheLastTwoLabels) {
  EXPECT_EQ(urlHost("http://a.b.c/x", true), "b.c");
  EXPECT_EQ(urlHost("http://www.a.b.c:81/x", true, true), "b.c:81");
  EXPECT_EQ(urlHost("http://localhost/x", true), "localhost");
}

TEST(UrlParts, PathKeepsQueryAndFragmentAsGiven) {
  EXPECT_EQ(urlPath("https://s.example.com/search?q=%E4&loc=A#Top"), "/search?q=%E4&loc=A#Top");
  EXPECT_EQ(urlPath("http://h/a/b/"), "/a/b/");
}

TEST(UrlParts, HostThatAlsoOccursInTheSchemeStillGivesTheRealPath) {
  EXPECT_EQ(urlPath("http://p/x"), "/x");
  EXPECT_EQ(urlPath("https://ps/x?y"), "/x?y");
  EXPECT_EQ(urlPath("http://tt:81/a"), "/a");
}

TEST(UrlParts, HostMatchedWithoutRegardToCaseForThePath) {
  EXPECT_EQ(urlPath("http://MyHost.COM/Index.html"), "/Index.html");
}

TEST(UrlParts, PortIsTheNumberAfterTheLastColon) {
  EXPECT_EQ(urlPort("http://h:12x/"), 12);
  EXPECT_EQ(urlPort("http://h:/"), 0);
  EXPECT_EQ(urlPort("https://h:abc/"), 0);
  EXPECT_EQ(urlPort("http://h:99999999999999/"), 2147483647);
}

TEST(UrlParts, EmptyAndDegenerateUrlsGiveEmptyHostAndRootPath) {
  EXPECT_EQ(urlHost(""), "");
  EXPECT_EQ(urlPath(""), "/");
  EXPECT_EQ(urlPort(""), 80);
  EXPECT_EQ(urlHost("https://"), "");
  EXPECT_EQ(urlPort("https://"), 443);
}

TEST(UrlParts, ChineseBytesInTheHostAreNotAlteredByLowerCasing) {
  // "\xB0\x41" is one GBK character whose second byte reads as "A".
  EXPECT_EQ(urlHost("http://\xB0\x41" "B/x"), "\xB0\x41" "b");
  EXPECT_EQ(urlPath("http://\xB0\x41" "B/x"), "/x");
}

}  // namespace quorvane
