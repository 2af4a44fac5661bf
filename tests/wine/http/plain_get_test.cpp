// The plain GET of the shop-page lookup, through WinInet.
#include <gtest/gtest.h>

#include "loopback_server.h"
#include "web/web_client.h"

namespace quorvane {
namespace {

using testing::LoopbackServer;
using testing::parseEcho;
using testing::patternBytes;
using testing::queryValue;

ByteArray plainHttpGet(const std::string& url) { return WebClient().plainGet(url); }

TEST(PlainHttpGet, ReturnsTheBodyBytesOverHttpAndHttps) {
  LoopbackServer server;
  EXPECT_TRUE(plainHttpGet(server.httpUrl("/g?bytes=3000")) == patternBytes(3000));
  EXPECT_TRUE(plainHttpGet(server.httpsUrl("/g?bytes=70000")) == patternBytes(70000));
}

TEST(PlainHttpGet, SendsNoHeadersOfTheProgramsOwnAndNoCookies) {
  LoopbackServer server;
  testing::EchoedRequest request = parseEcho(plainHttpGet(server.httpsUrl("/echo/search?app=shopsearch&q=%61")));
  EXPECT_EQ(request.requestLine, "GET /echo/search?app=shopsearch&q=%61 HTTP/1.1");
  EXPECT_FALSE(request.header("Referer"));
  EXPECT_FALSE(request.header("Cookie"));
  EXPECT_FALSE(request.header("Accept-Language"));
}

TEST(PlainHttpGet, FollowsRedirects) {
  LoopbackServer server;
  ByteArray body = plainHttpGet(
      server.httpUrl("/r?status=302&header=" + queryValue("Location: " + server.httpsUrl("/echo/shop"))));
  EXPECT_EQ(parseEcho(body).requestLine, "GET /echo/shop HTTP/1.1");
}

TEST(PlainHttpGet, ABodyCutShortOrOverThirtyTwoMegabytesIsAFailure) {
  LoopbackServer server;
  EXPECT_EQ(plainHttpGet(server.httpUrl("/t?bytes=100000&truncate=3000")), "");
  EXPECT_EQ(plainHttpGet(server.httpsUrl("/t?bytes=100000&reset=3000")), "");
  EXPECT_EQ(plainHttpGet(server.httpUrl("/b?bytes=" + std::to_string(32u * 1024 * 1024 + 1))), "");
}

TEST(PlainHttpGet, FailureGivesNoBytes) {
  LoopbackServer server;
  EXPECT_EQ(plainHttpGet(server.refusedUrl("/x")), "");
  EXPECT_EQ(plainHttpGet(""), "");
}

}  // namespace
}  // namespace quorvane
