// What the web client hands back: body bytes, raw headers, location and the
// cookie jar, for the answers the loopback server is scripted to give.
#include <gtest/gtest.h>

#include "loopback_server.h"
#include "web/web_client.h"

namespace quorvane {
namespace {

using testing::LoopbackServer;
using testing::patternBytes;
using testing::queryValue;

std::string headerParam(std::string_view line) { return "&header=" + queryValue(line); }

class Response : public ::testing::Test {
 protected:
  LoopbackServer server;
  WebClient client;
};

class BodySize : public Response, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(BodySize, BodyArrivesWholeAndUnchanged) {
  const std::size_t size = GetParam();
  ByteArray body = client.webFetch({.url = server.httpUrl("/b?bytes=" + std::to_string(size))});
  EXPECT_EQ(body.size(), size);
  EXPECT_TRUE(body == patternBytes(size));
}

TEST_P(BodySize, ChunkedBodyOverTlsArrivesWhole) {
  const std::size_t size = GetParam();
  ByteArray body =
      client.webFetch({.url = server.httpsUrl("/b?chunked=1&bytes=" + std::to_string(size))});
  EXPECT_EQ(body.size(), size);
  EXPECT_TRUE(body == patternBytes(size));
}

INSTANTIATE_TEST_SUITE_P(ReadInChunks, BodySize,
                         ::testing::Values(0, 1, 1023, 1024, 1025, 2048, 3 * 1024 * 1024 + 7));

TEST_F(Response, BodyOverThirtyTwoMegabytesIsAFailedRequest) {
  constexpr std::size_t limit = 32u * 1024 * 1024;
  LocalText raw = "old";
  EXPECT_TRUE(client.webFetch({.url = server.httpUrl("/b?bytes=" + std::to_string(limit + 1)), .rawHeaders = &raw})
                  .empty());
  EXPECT_EQ(raw, "old") << "a refused body leaves the other answers untouched";
  EXPECT_EQ(client.webFetch({.url = server.httpUrl("/b?bytes=" + std::to_string(limit))}).size(), limit);
}

TEST_F(Response, RawHeadersAreTheStatusAndHeaderLines) {
  LocalText raw = "old";
  client.webFetch({.url = server.httpUrl("/h?text=ok" + headerParam("X-Thing: 1")), .rawHeaders = &raw});
  EXPECT_TRUE(raw.starts_with("HTTP/1.1 200 Scripted\r\n")) << raw;
  EXPECT_NE(raw.find("\r\nX-Thing: 1\r\n"), LocalText::npos) << raw;
  EXPECT_TRUE(raw.ends_with("\r\n\r\n")) << raw;
}

TEST_F(Response, ErrorAnswersReturnTheirBody) {
  LocalText raw;
  EXPECT_EQ(client.webFetch({.url = server.httpUrl("/e?status=404&text=missing"), .rawHeaders = &raw}),
            "missing");
  EXPECT_TRUE(raw.starts_with("HTTP/1.1 404")) << raw;
}

TEST_F(Response, SetCookieLinesFillTheReceivedCookiesAndTheJar) {
  LocalText cookies = "a=0; x=9", received = "stale";
  client.webFetch({.url = server.httpUrl("/c?text=ok" + headerParam("Set-Cookie: a=1; path=/") +
                                         headerParam("Set-Cookie: b=2; HttpOnly")),
                   .cookies = &cookies,
                   .receivedCookies = &received});
  EXPECT_EQ(received, "a=1;b=2");
  EXPECT_EQ(cookies, "a=1; b=2; x=9");
}

TEST_F(Response, DeletedCookieLeavesTheJar) {
  LocalText cookies = "x=9; y=1";
  client.webFetch(
      {.url = server.httpUrl("/c?text=ok" +
                             headerParam("Set-Cookie: x=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT")),
       .cookies = &cookies});
  EXPECT_EQ(cookies, "y=1");
}

TEST_F(Response, TheJarServesTheNextRequest) {
  LocalText cookies;
  client.webFetch({.url = server.httpUrl("/c?text=ok" + headerParam("Set-Cookie: sid=42; path=/")),
                   .cookies = &cookies});
  testing::EchoedRequest next =
      testing::parseEcho(client.webFetch({.url = server.httpUrl("/echo"), .cookies = &cookies}));
  EXPECT_EQ(next.header("Cookie"), "sid=42");
}

TEST_F(Response, WithoutLocationTheLocationIsTheRawHeaderText) {
  LocalText location, raw;
  client.webFetch({.url = server.httpUrl("/l?text=ok"), .location = &location, .rawHeaders = &raw});
  EXPECT_FALSE(raw.empty());
  EXPECT_EQ(location, raw);
}

TEST_F(Response, NoRedirectReturnsTheRedirectAnswerItself) {
  LocalText location, received, raw;
  ByteArray body = client.webFetch(
      {.url = server.httpUrl("/r?status=302&text=moved" + headerParam("Location: /next") +
                             headerParam("Set-Cookie: hop=1; path=/")),
       .receivedCookies = &received,
       .location = &location,
       .noRedirect = true,
       .rawHeaders = &raw});
  EXPECT_EQ(body, "moved");
  EXPECT_EQ(location, "/next");
  EXPECT_EQ(received, "hop=1");
  EXPECT_TRUE(raw.starts_with("HTTP/1.1 302")) << raw;
}

TEST_F(Response, RedirectIsFollowedAndOnlyTheFinalAnswerCounts) {
  LocalText location, received, raw;
  ByteArray body = client.webFetch(
      {.url = server.httpUrl("/r?status=302" + headerParam("Location: " + server.httpUrl("/echo/after")) +
                             headerParam("Set-Cookie: hop=1")),
       .receivedCookies = &received,
       .location = &location,
       .rawHeaders = &raw});
  EXPECT_EQ(testing::parseEcho(body).requestLine, "GET /echo/after HTTP/1.1");
  EXPECT_TRUE(raw.starts_with("HTTP/1.1 200")) << raw;
  EXPECT_EQ(received, "");
  EXPECT_EQ(location, raw);
}

TEST_F(Response, PlainHttpMayBeRedirectedToHttps) {
  ByteArray body = client.webFetch(
      {.url = server.httpUrl("/r?status=302" + headerParam("Location: " + server.httpsUrl("/echo/tls")))});
  EXPECT_EQ(testing::parseEcho(body).requestLine, "GET /echo/tls HTTP/1.1");
}

TEST_F(Response, HeaderBlockTooLargeForTheBufferIsNotReadButTheBodyIs) {
  LocalText raw, location, cookies = "a=1; s=x y";
  ByteArray body = client.webFetch({.url = server.httpUrl("/big?text=body&fill=6000" +
                                                          headerParam("Set-Cookie: n=1")),
                                    .cookies = &cookies,
                                    .location = &location,
                                    .rawHeaders = &raw});
  EXPECT_EQ(body, "body");
  EXPECT_EQ(raw, LocalText(5000, ' '));
  EXPECT_EQ(location, raw);
  EXPECT_EQ(cookies, "a=1; s=xy");
}

TEST_F(Response, HeaderBlockJustUnderTheBufferIsRead) {
  LocalText raw;
  client.webFetch({.url = server.httpUrl("/big?text=b&fill=4800"), .rawHeaders = &raw});
  EXPECT_TRUE(raw.starts_with("HTTP/1.1 200")) << raw.substr(0, 40);
  EXPECT_LT(raw.size(), 5000u);
}

TEST_F(Response, ABodyCutShortIsAFailedRequest) {
  for (const std::string& cut : {"/t?bytes=100000&truncate=3000", "/t?bytes=100000&reset=3000",
                                 "/t?bytes=100000&chunked=1&reset=3000"}) {
    for (const std::string& url : {server.httpUrl(cut), server.httpsUrl(cut)}) {
      LocalText raw = "untouched";
      EXPECT_EQ(client.webFetch({.url = url, .rawHeaders = &raw}), "") << url;
      EXPECT_EQ(raw, "untouched") << url;
    }
  }
}

TEST_F(Response, UnreachablePortFailsOnlyWhenSending) {
  const std::string url = server.refusedUrl("/x");
  LocalText extra, raw = "old", location = "old", cookies = "a=1";
  ByteArray body = client.webFetch(
      {.url = url, .cookies = &cookies, .extraHeaders = &extra, .location = &location, .rawHeaders = &raw});
  EXPECT_EQ(body, "");
  EXPECT_EQ(extra, "Referer: " + url +
                       "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: "
                       "application/x-www-form-urlencoded\r\nCookie: a=1");
  EXPECT_EQ(raw, LocalText(5000, ' '));
  EXPECT_EQ(location, raw);
  EXPECT_EQ(cookies, "a=1");
}

TEST_F(Response, FailedConnectionOpenLeavesEveryArgumentUntouched) {
  for (const char* url : {"http:///x", "http://h:70000/x"}) {
    LocalText cookies = "a = 1", received = "r", extra = "X: 1", location = "l", raw = "w";
    ByteArray bytes;
    EXPECT_EQ(client.webFetch({.url = url, .method = 1, .bodyText = "b", .cookies = &cookies,
                               .receivedCookies = &received, .extraHeaders = &extra,
                               .location = &location, .bodyBytes = &bytes, .rawHeaders = &raw}),
              "")
        << url;
    EXPECT_EQ(cookies, "a = 1");
    EXPECT_EQ(received, "r");
    EXPECT_EQ(extra, "X: 1");
    EXPECT_EQ(location, "l");
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(raw, "w");
  }
}

TEST_F(Response, PageTextIsTheUtf8BodyInTheLocalCodePage) {
  // "中文" in UTF-8 on the wire, in GBK once read.
  EXPECT_EQ(client.fetchPageText(server.httpUrl("/p?text=" + queryValue("\xE4\xB8\xAD\xE6\x96\x87"))),
            "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(client.fetchPageText(server.refusedUrl("/p")), "");
}

TEST_F(Response, PageTextPassesEveryArgumentThrough) {
  LocalText extra = "X-Mark: 1", location;
  LocalText page = client.fetchPageText(
      {.url = server.httpUrl("/echo?" + headerParam("Location: /there").substr(1)),
       .extraHeaders = &extra,
       .location = &location,
       .noRedirect = true});
  EXPECT_NE(page.find("X-Mark: 1\r\nReferer: "), LocalText::npos) << page;
  EXPECT_TRUE(extra.starts_with("X-Mark: 1\r\nReferer: "));
  EXPECT_EQ(location, "/there");
}

}  // namespace
}  // namespace quorvane
