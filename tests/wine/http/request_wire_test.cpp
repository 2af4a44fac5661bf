// What the web client puts on the wire, as the loopback server received it.
#include <gtest/gtest.h>

#include <algorithm>

#include "loopback_server.h"
#include "web/web_client.h"
#include "web/request_agent.h"

namespace quorvane {
namespace {

using testing::EchoedRequest;
using testing::LoopbackServer;
using testing::parseEcho;

// True when `expected` appear in `lines` in this order (others may be between).
bool inOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
  auto at = lines.begin();
  for (const std::string& line : expected) {
    at = std::find(at, lines.end(), line);
    if (at == lines.end()) return false;
    ++at;
  }
  return true;
}

class RequestOnTheWire : public ::testing::Test {
 protected:
  LoopbackServer server;
  WebClient client;
  EchoedRequest echo(const WebFetchArguments& arguments) { return parseEcho(client.webFetch(arguments)); }
};

TEST_F(RequestOnTheWire, PlainGetCarriesTheDefaultHeadersAndAgent) {
  const std::string url = server.httpUrl("/echo/Path?Q=1&r=%41");
  EchoedRequest request = echo({.url = url});
  EXPECT_EQ(request.requestLine, "GET /echo/Path?Q=1&r=%41 HTTP/1.1");
  EXPECT_EQ(request.header("Host"), "127.0.0.1:" + std::to_string(server.httpPort()));
  EXPECT_EQ(request.header("User-Agent"), std::string(kDefaultAgent));
  EXPECT_TRUE(inOrder(request.headerLines, {"Referer: " + url, "Accept: */*", "Accept-Language: zh-cn",
                                            "Content-Type: application/x-www-form-urlencoded"}));
  EXPECT_FALSE(request.header("Cookie"));
  EXPECT_EQ(request.body, "");
}

TEST_F(RequestOnTheWire, ExtraHeadersGoFirstAndReceiveTheCompleteHeaderText) {
  const std::string url = server.httpUrl("/echo");
  LocalText extra = "X-One: 1\r\nAccept: text/html";
  EchoedRequest request = echo({.url = url, .extraHeaders = &extra});
  EXPECT_TRUE(inOrder(request.headerLines, {"X-One: 1", "Accept: text/html", "Referer: " + url,
                                            "Accept-Language: zh-cn",
                                            "Content-Type: application/x-www-form-urlencoded"}));
  EXPECT_EQ(std::count_if(request.headerLines.begin(), request.headerLines.end(),
                          [](const std::string& line) { return line.starts_with("Accept:"); }),
            1);
  EXPECT_EQ(extra, "X-One: 1\r\nAccept: text/html\r\nReferer: " + url +
                       "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded");
}

TEST_F(RequestOnTheWire, AgentLineInTheExtraHeadersBecomesTheAgent) {
  LocalText extra = "Cookie: a=1\r\nuser-agent: Foo/1";
  EchoedRequest request = echo({.url = server.httpUrl("/echo"), .extraHeaders = &extra});
  EXPECT_EQ(request.header("User-Agent"), "Foo/1");
  EXPECT_TRUE(std::find(request.headerLines.begin(), request.headerLines.end(), "user-agent: Foo/1") !=
              request.headerLines.end());
  EXPECT_EQ(request.header("Cookie"), "a=1");
}

TEST_F(RequestOnTheWire, CookiesTravelAsACookieLine) {
  LocalText cookies = "a=1; b=2";
  EchoedRequest request = echo({.url = server.httpUrl("/echo"), .cookies = &cookies});
  EXPECT_EQ(request.header("Cookie"), "a=1; b=2");
}

TEST_F(RequestOnTheWire, PostFillsTheBodyBytesFromTheBodyText) {
  ByteArray bytes;
  EchoedRequest request =
      echo({.url = server.httpUrl("/echo"), .method = 1, .bodyText = "a=1", .bodyBytes = &bytes});
  EXPECT_EQ(request.requestLine, "POST /echo HTTP/1.1");
  EXPECT_EQ(request.header("Content-Length"), "3");
  EXPECT_EQ(request.body, "a=1");
  EXPECT_EQ(bytes, "a=1");
}

TEST_F(RequestOnTheWire, OtherMethodsSendTheBodyWithAGet) {
  EchoedRequest request = echo({.url = server.httpUrl("/echo"), .method = 2, .bodyText = "a=1"});
  EXPECT_EQ(request.requestLine, "GET /echo HTTP/1.1");
  EXPECT_EQ(request.body, "a=1");
}

TEST_F(RequestOnTheWire, BodyBytesAreSentUnchangedAndWinOverTheText) {
  ByteArray bytes("\x00\xFF\xD6\xD0\r\n", 6);
  EchoedRequest request =
      echo({.url = server.httpUrl("/echo"), .method = 1, .bodyText = "ignored", .bodyBytes = &bytes});
  EXPECT_EQ(request.body, ByteArray("\x00\xFF\xD6\xD0\r\n", 6));
}

TEST_F(RequestOnTheWire, MethodZeroSendsNoBodyEvenWithABodyText) {
  EchoedRequest request = echo({.url = server.httpUrl("/echo"), .method = 0, .bodyText = "a=1"});
  EXPECT_EQ(request.requestLine, "GET /echo HTTP/1.1");
  EXPECT_EQ(request.body, "");
}

TEST_F(RequestOnTheWire, SchemeAndHostInCapitalsKeepThePathCase) {
  const std::string url = "HTTP://LocalHost:" + std::to_string(server.httpPort()) + "/Echo/MiXed";
  EchoedRequest request = echo({.url = url});
  EXPECT_EQ(request.requestLine, "GET /Echo/MiXed HTTP/1.1");
  EXPECT_EQ(request.header("Host"), "localhost:" + std::to_string(server.httpPort()));
}

TEST_F(RequestOnTheWire, UrlWithoutSchemeIsPlainHttp) {
  EchoedRequest request = echo({.url = "127.0.0.1:" + std::to_string(server.httpPort()) + "/echo/x"});
  EXPECT_EQ(request.requestLine, "GET /echo/x HTTP/1.1");
}

TEST_F(RequestOnTheWire, ChineseBytesInThePathGoOutUnencoded) {
  // "中文" in GBK, as the search URL carries its keyword.
  EchoedRequest request = echo({.url = server.httpUrl("/echo?q=\xD6\xD0\xCE\xC4")});
  EXPECT_EQ(request.requestLine, "GET /echo?q=\xD6\xD0\xCE\xC4 HTTP/1.1");
}

TEST_F(RequestOnTheWire, HttpsRequestReachesTheServerOverTls) {
  EchoedRequest request = echo({.url = server.httpsUrl("/echo/secure?a=1")});
  EXPECT_EQ(request.requestLine, "GET /echo/secure?a=1 HTTP/1.1");
  EXPECT_EQ(request.header("Host"), "localhost:" + std::to_string(server.httpsPort()));
  EXPECT_EQ(request.header("Referer"), server.httpsUrl("/echo/secure?a=1"));
}

TEST_F(RequestOnTheWire, PlainHttpGoesThroughTheProxy) {
  // The host does not exist: only the proxy can answer it.
  const std::string url = "http://quorvane.invalid:8123/echo/via?x=1";
  EchoedRequest request = echo({.url = url, .proxyAddress = server.proxyAddress()});
  EXPECT_EQ(request.requestLine, "GET " + url + " HTTP/1.1");
  EXPECT_EQ(request.header("Host"), "quorvane.invalid:8123");
  EXPECT_EQ(request.header("Referer"), url);
}

TEST_F(RequestOnTheWire, HttpsBypassesTheHttpProxy) {
  // Nothing listens on the proxy's port: the request must not go there.
  EchoedRequest request =
      echo({.url = server.httpsUrl("/echo/direct"), .proxyAddress = "127.0.0.1:" + std::to_string(server.refusedPort())});
  EXPECT_EQ(request.requestLine, "GET /echo/direct HTTP/1.1");
}

TEST_F(RequestOnTheWire, EmptyProxyAddressMeansDirect) {
  EchoedRequest request = echo({.url = server.httpUrl("/echo/d"), .proxyAddress = ""});
  EXPECT_EQ(request.requestLine, "GET /echo/d HTTP/1.1");
}

}  // namespace
}  // namespace quorvane
