#include <gtest/gtest.h>

#include "web/header_value.h"
#include "web/request_agent.h"
#include "web/request_header_text.h"
#include "web/request_method.h"
#include "web/request_options.h"
#include "web/request_proxy.h"

namespace quorvane {

TEST(HeaderValue, TextAfterTheFirstColonTrimmed) {
  EXPECT_EQ(headerValue("Location:  http://a:81/b  "), "http://a:81/b");
  EXPECT_EQ(headerValue("Location:"), "");
  EXPECT_EQ(headerValue("no colon"), "");
  EXPECT_EQ(headerValue(""), "");
}

TEST(RequestAgent, DefaultWhenNoAgentLine) {
  EXPECT_EQ(requestAgent(""), kDefaultAgent);
  EXPECT_EQ(requestAgent("Accept: */*"), kDefaultAgent);
  EXPECT_EQ(kDefaultAgent,
            "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; Korv; .NET CLR 2.0.50727; "
            ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)");
}

TEST(RequestAgent, AgentLineFoundWithoutRegardToCase) {
  EXPECT_EQ(requestAgent("user-agent: Foo/1"), "Foo/1");
  EXPECT_EQ(requestAgent("USER-AGENT:Foo/1  "), "Foo/1");
}

TEST(RequestAgent, AgentLineEndsAtTheNextLineOrTheEnd) {
  EXPECT_EQ(requestAgent("Cookie: a=1\r\nUser-Agent: Foo/1"), "Foo/1");
  EXPECT_EQ(requestAgent("User-Agent: Foo/1 (x; y)\r\nAccept: */*"), "Foo/1 (x; y)");
}

TEST(RequestAgent, EmptyAgentLineGivesAnEmptyAgent) { EXPECT_EQ(requestAgent("User-Agent:\r\nA: b"), ""); }

TEST(RequestHeaderText, DefaultsWhenNothingIsGiven) {
  EXPECT_EQ(requestHeaderText("", "http://h/p?q=1", ""),
            "Referer: http://h/p?q=1\r\nAccept: */*\r\nAccept-Language: zh-cn"
            "\r\nContent-Type: application/x-www-form-urlencoded");
}

TEST(RequestHeaderText, DefaultsFollowTheCallersLines) {
  EXPECT_EQ(requestHeaderText("X-A: 1\r\nX-B: 2", "u", ""),
            "X-A: 1\r\nX-B: 2\r\nReferer: u\r\nAccept: */*\r\nAccept-Language: zh-cn"
            "\r\nContent-Type: application/x-www-form-urlencoded");
}

TEST(RequestHeaderText, CallersAcceptSuppressesOnlyTheDefaultAccept) {
  EXPECT_EQ(requestHeaderText("Accept: text/html", "u", ""),
            "Accept: text/html\r\nReferer: u\r\nAccept-Language: zh-cn"
            "\r\nContent-Type: application/x-www-form-urlencoded");
}

TEST(RequestHeaderText, PresenceTestsAreCaseSensitive) {
  EXPECT_EQ(requestHeaderText("accept: text/html", "u", ""),
            "accept: text/html\r\nReferer: u\r\nAccept: */*\r\nAccept-Language: zh-cn"
            "\r\nContent-Type: application/x-www-form-urlencoded");
}

TEST(RequestHeaderText, CallersLinesKeepTheirOwnValues) {
  EXPECT_EQ(requestHeaderText("Referer: r\r\nAccept-Language: en\r\nContent-Type: text/plain", "u", ""),
            "Referer: r\r\nAccept-Language: en\r\nContent-Type: text/plain\r\nAccept: */*");
}

TEST(RequestHeaderText, PresenceTestsLookAnywhereInTheText) {
  // "Accept:" inside "X-Accept: 1" counts as present.
  EXPECT_EQ(requestHeaderText("X-Accept: 1", "u", ""),
            "X-Accept: 1\r\nReferer: u\r\nAccept-Language: zh-cn"
            "\r\nContent-Type: application/x-www-form-urlencoded");
}

TEST(RequestHeaderText, CookiesAreAddedEvenBesideACallersCookieLine) {
  EXPECT_EQ(requestHeaderText("Cookie: a=1", "u", "b=2; c=3"),
            "Cookie: a=1\r\nReferer: u\r\nAccept: */*\r\nAccept-Language: zh-cn"
            "\r\nContent-Type: application/x-www-form-urlencoded\r\nCookie: b=2; c=3");
}

bool operator==(const platform::HttpRequestOptions& a, const platform::HttpRequestOptions& b) {
  return a.secure == b.secure && a.followRedirects == b.followRedirects &&
         a.redirectToHttpsAllowed == b.redirectToHttpsAllowed;
}

TEST(RequestOptions, HttpsIsSecureAndPlainHttpMayBeRedirectedToHttps) {
  const platform::HttpRequestOptions plain{.secure = false, .followRedirects = true, .redirectToHttpsAllowed = true};
  const platform::HttpRequestOptions secure{.secure = true, .followRedirects = true, .redirectToHttpsAllowed = false};
  EXPECT_TRUE(requestOptions("http://h/", false) == plain);
  EXPECT_TRUE(requestOptions("h/x", false) == plain);
  EXPECT_TRUE(requestOptions("HTTPS://h/", false) == secure);
  EXPECT_TRUE(requestOptions("httpsx", false) == secure) << "only the first five characters count";
}

TEST(RequestOptions, NoRedirectStopsFollowingOnly) {
  EXPECT_FALSE(requestOptions("http://h/", true).followRedirects);
  EXPECT_TRUE(requestOptions("http://h/", true).redirectToHttpsAllowed);
  EXPECT_FALSE(requestOptions("https://h/", true).followRedirects);
  EXPECT_TRUE(requestOptions("https://h/", true).secure);
}

TEST(RequestMethod, OnlyMethodOneIsAPost) {
  EXPECT_EQ(requestVerb(1), "POST");
  EXPECT_EQ(requestVerb(0), "GET");
  EXPECT_EQ(requestVerb(2), "GET");
  EXPECT_EQ(requestVerb(-1), "GET");
}

TEST(RequestMethod, MethodZeroSendsNoBodyAndLeavesTheBodyBytes) {
  ByteArray bytes;
  EXPECT_EQ(requestBody(0, "a=1", bytes), "");
  EXPECT_EQ(bytes, "");
  ByteArray given("xyz");
  EXPECT_EQ(requestBody(0, "a=1", given), "");
  EXPECT_EQ(given, "xyz");
}

TEST(RequestMethod, EmptyBodyBytesAreFilledFromTheBodyText) {
  ByteArray bytes;
  EXPECT_EQ(requestBody(1, "a=1", bytes), "a=1");
  EXPECT_EQ(bytes, "a=1");
  ByteArray forGet;
  EXPECT_EQ(requestBody(2, "a=1", forGet), "a=1");
  EXPECT_EQ(forGet, "a=1");
}

TEST(RequestMethod, GivenBodyBytesWinOverTheBodyTextAndTravelUnchanged) {
  ByteArray bytes("\x00\xFF\r\n", 4);
  EXPECT_EQ(requestBody(1, "ignored", bytes), ByteArray("\x00\xFF\r\n", 4));
  EXPECT_EQ(bytes, ByteArray("\x00\xFF\r\n", 4));
}

TEST(RequestProxy, PlainHttpGoesThroughTheGivenProxy) {
  EXPECT_EQ(requestProxyList("http://h/x", LocalText("p:8080")), "http=p:8080");
  EXPECT_EQ(requestProxyList("h/x", LocalText("p:8080")), "http=p:8080");
}

TEST(RequestProxy, DirectWhenOmittedEmptyOrHttps) {
  EXPECT_EQ(requestProxyList("http://h/x", std::nullopt), std::nullopt);
  EXPECT_EQ(requestProxyList("http://h/x", LocalText()), std::nullopt);
  EXPECT_EQ(requestProxyList("HTTPS://h/x", LocalText("p:8080")), std::nullopt);
}

}  // namespace quorvane
