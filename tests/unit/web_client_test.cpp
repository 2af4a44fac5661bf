// The web engine over a scripted transport: the calls a request makes and
// their order, what the caller gets back, and how a request fails, stalls
// and is aborted, all without a network.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <new>
#include <set>
#include <thread>

#include "fake_http_transport.h"
#include "wait/blocking_wait.h"
#include "web/request_agent.h"
#include "web/web_client.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;
using Calls = std::vector<std::string>;
using testing::FakeHttpTransport;

const std::string kAgent(kDefaultAgent);

std::string defaultHeaders(const std::string& url) {
  return "Referer: " + url + "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";
}

ByteArray patternBytes(std::size_t count) {
  ByteArray bytes(count, '\0');
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(i % 251);
  return bytes;
}

std::string announcing(std::size_t length) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(length) + "\r\n\r\n";
}

class WebEngine : public ::testing::Test {
 protected:
  std::shared_ptr<FakeHttpTransport> fake = std::make_shared<FakeHttpTransport>();
  WebClient client{fake, 30s};
};

// ---- the calls of one request

TEST_F(WebEngine, AGetMakesItsCallsInOrderAndClosesEveryHandle) {
  const std::string url = "http://Shop.Example:8080/p?Q=1";
  fake->body = patternBytes(2500);
  fake->rawHeaders = announcing(2500);
  EXPECT_EQ(client.webFetch({.url = url}), fake->body);
  EXPECT_EQ(fake->callTexts(), (Calls{"openRoot 1 " + kAgent + " | direct", "setTimeouts 1 35000",
                                      "connect 2 1 shop.example:8080", "openRequest 3 2 GET /p?Q=1 to-https",
                                      "setTimeouts 3 35000", "send 3 [" + defaultHeaders(url) + "] []", "read 3",
                                      "read 3", "read 3", "read 3", "queryRawHeaders 3", "close 3", "close 2",
                                      "close 1"}));
  EXPECT_EQ(fake->readSizes(), std::vector<std::size_t>(4, 1024)) << "a fresh 1024-byte buffer each read";
}

TEST_F(WebEngine, RequestOptionsFollowTheUrlAndTheNoRedirectArgument) {
  client.webFetch({.url = "https://h:8443/a?b=1", .noRedirect = true});
  client.webFetch({.url = "host/x"});
  const Calls calls = fake->callTexts();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "connect 2 1 h:8443"), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), "openRequest 3 2 GET /a?b=1 secure no-redirect"), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), "connect 5 4 host:80"), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), "openRequest 6 5 GET /x to-https"), calls.end());
}

TEST_F(WebEngine, AProxyServesPlainHttpOnlyAndTheAgentComesFromTheExtraHeaders) {
  LocalText extra = "user-agent: Foo/1";
  client.webFetch({.url = "http://h/", .extraHeaders = &extra, .proxyAddress = "p:3128"});
  client.webFetch({.url = "https://h/", .proxyAddress = "p:3128"});
  const Calls calls = fake->callTexts();
  EXPECT_EQ(calls.front(), "openRoot 1 Foo/1 | http=p:3128");
  EXPECT_NE(std::find(calls.begin(), calls.end(), "openRoot 4 " + kAgent + " | direct"), calls.end());
}

TEST_F(WebEngine, APostSendsTheBodyTextAndFillsTheBodyBytes) {
  ByteArray bytes;
  client.webFetch({.url = "http://h/f", .method = 1, .bodyText = "a=1", .bodyBytes = &bytes});
  EXPECT_EQ(fake->callTexts().at(5), "send 3 [" + defaultHeaders("http://h/f") + "] [a=1]");
  EXPECT_EQ(fake->callTexts().at(4), "setTimeouts 3 35000");
  EXPECT_EQ(bytes, "a=1");
}

TEST_F(WebEngine, TheAnswersHeadersFillTheCookiesLocationAndRawHeaders) {
  fake->rawHeaders = "HTTP/1.1 302 Found\r\nLocation: /next\r\nSet-Cookie: a=1; path=/\r\n\r\n";
  LocalText cookies = "a=0; x=9", received, location, raw, extra = "X-A: 1";
  client.webFetch({.url = "http://h/",
                   .cookies = &cookies,
                   .receivedCookies = &received,
                   .extraHeaders = &extra,
                   .location = &location,
                   .noRedirect = true,
                   .rawHeaders = &raw});
  EXPECT_EQ(cookies, "a=1; x=9");
  EXPECT_EQ(received, "a=1");
  EXPECT_EQ(location, "/next");
  EXPECT_EQ(raw, *fake->rawHeaders);
  EXPECT_EQ(extra, "X-A: 1\r\n" + defaultHeaders("http://h/") + "\r\nCookie: a=0; x=9");
}

TEST_F(WebEngine, AHeaderTextThatDoesNotFitLeavesFiveThousandSpaces) {
  fake->rawHeaders = "HTTP/1.1 200 OK\r\nX-Fill: " + std::string(5000, 'f') + "\r\n\r\n";
  fake->body = "body";
  LocalText raw, location;
  EXPECT_EQ(client.webFetch({.url = "http://h/", .location = &location, .rawHeaders = &raw}), "body");
  EXPECT_EQ(raw, LocalText(5000, ' '));
  EXPECT_EQ(location, raw);
}

TEST_F(WebEngine, PageTextIsTheUtf8BodyInTheLocalCodePage) {
  fake->body = "\xE4\xB8\xAD" "a";
  EXPECT_EQ(client.fetchPageText("http://h/"), "\xD6\xD0" "a");
}

// ---- failures

// What the search counts as a failed page, beside the text it reads as
// before: no answer at all, a cut answer, an error status. An answer whose
// headers were too long to be read still counts as an answer.
TEST_F(WebEngine, APageFailsWithoutAWholeAnswerOrWithAnErrorStatus) {
  struct Case {
    const char* what;
    std::function<void(FakeHttpTransport&)> set;
    PageAnswer expected;
  };
  const Case cases[] = {
      {"200", [](FakeHttpTransport& t) { t.body = "ok"; }, {"ok", false}},
      {"404 with a page", [](FakeHttpTransport& t) { t.body = "gone"; t.rawHeaders = "HTTP/1.1 404 Not Found\r\n\r\n"; },
       {"gone", true}},
      {"503", [](FakeHttpTransport& t) { t.rawHeaders = "HTTP/1.0 503 Busy\r\n\r\n"; }, {"", true}},
      {"302 not followed", [](FakeHttpTransport& t) { t.rawHeaders = "HTTP/1.1 302 Found\r\n\r\n"; }, {"", false}},
      {"headers too long", [](FakeHttpTransport& t) { t.body = "x"; t.rawHeaders = "HTTP/1.1 200 OK\r\nX: " + std::string(6000, 'f') + "\r\n\r\n"; },
       {"x", false}},
      {"not sent", [](FakeHttpTransport& t) { t.sendWorks = false; }, {"", true}},
      {"no connection", [](FakeHttpTransport& t) { t.connectionOpens = false; }, {"", true}},
      {"cut short", [](FakeHttpTransport& t) { t.body = "abc"; t.readFailsAt = 3; }, {"", true}},
  };
  for (const Case& c : cases) {
    auto transport = std::make_shared<FakeHttpTransport>();
    c.set(*transport);
    const PageAnswer answer = WebClient(transport, 30s).fetchPage("http://h/p");
    EXPECT_EQ(answer.text, c.expected.text) << c.what;
    EXPECT_EQ(answer.failed, c.expected.failed) << c.what;
  }
}

TEST_F(WebEngine, AHandleThatDoesNotOpenEndsTheCallWithTheArgumentsUntouched) {
  struct Case {
    bool FakeHttpTransport::*opens;
    Calls closes;  // what had opened, newest first
  };
  for (const Case& failing : {Case{&FakeHttpTransport::rootOpens, {}},
                              Case{&FakeHttpTransport::connectionOpens, {"close 1"}},
                              Case{&FakeHttpTransport::requestOpens, {"close 2", "close 1"}}}) {
    auto transport = std::make_shared<FakeHttpTransport>();
    (*transport).*failing.opens = false;
    WebClient web(transport, 30s);
    LocalText cookies = "a = 1", extra = "X: 1", raw = "w";
    ByteArray bytes;
    EXPECT_EQ(web.webFetch({.url = "http://h/", .method = 1, .bodyText = "b", .cookies = &cookies,
                            .extraHeaders = &extra, .bodyBytes = &bytes, .rawHeaders = &raw}),
              "");
    EXPECT_EQ(cookies, "a = 1");
    EXPECT_EQ(extra, "X: 1");
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(raw, "w");
    Calls calls = transport->callTexts();
    std::erase_if(calls, [](const std::string& call) { return !call.starts_with("close"); });
    EXPECT_EQ(calls, failing.closes);
    EXPECT_EQ(transport->readSizes().size(), 0u);
  }
}

TEST_F(WebEngine, ARequestThatCannotBeSentGivesAnEmptyBodyAndAnAnswerOfNoHeaders) {
  fake->sendWorks = false;
  LocalText extra, raw = "old", location = "old", cookies = "a=1";
  EXPECT_EQ(client.webFetch(
                {.url = "http://h/", .cookies = &cookies, .extraHeaders = &extra, .location = &location, .rawHeaders = &raw}),
            "");
  EXPECT_EQ(extra, defaultHeaders("http://h/") + "\r\nCookie: a=1");
  EXPECT_EQ(raw, LocalText(5000, ' '));
  EXPECT_EQ(location, raw);
  EXPECT_EQ(cookies, "a=1");
  const Calls calls = fake->callTexts();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "read 3"), 1);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "queryRawHeaders 3"), 0);
  EXPECT_EQ(Calls(calls.end() - 3, calls.end()), (Calls{"close 3", "close 2", "close 1"}));
}

TEST_F(WebEngine, AReadThatFailsMidBodyIsAFailedRequest) {
  fake->body = patternBytes(5000);
  fake->readFailsAt = 2048;
  LocalText raw = "old", extra = "X: 1";
  EXPECT_EQ(client.webFetch({.url = "http://h/", .extraHeaders = &extra, .rawHeaders = &raw}), "");
  EXPECT_EQ(raw, "old");
  EXPECT_EQ(extra, "X: 1");
  const Calls calls = fake->callTexts();
  EXPECT_EQ(Calls(calls.end() - 3, calls.end()), (Calls{"close 3", "close 2", "close 1"}));
}

TEST_F(WebEngine, ABodyShorterThanItsAnnouncedLengthIsAFailedRequest) {
  fake->body = patternBytes(3000);
  fake->rawHeaders = announcing(100000);
  EXPECT_EQ(client.webFetch({.url = "http://h/"}), "");
  fake->rawHeaders = announcing(3000);
  EXPECT_EQ(client.webFetch({.url = "http://h/"}), fake->body);
  fake->rawHeaders = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\ncontent-length: 100000\r\n\r\n";
  EXPECT_EQ(client.webFetch({.url = "http://h/"}), fake->body) << "chunks tell their own length";
}

TEST_F(WebEngine, ABodyOverThirtyTwoMegabytesIsAFailedRequest) {
  constexpr std::size_t limit = 32u * 1024 * 1024;
  fake->piece = 1024;
  fake->body = ByteArray(limit + 1, 'x');
  LocalText raw = "old";
  EXPECT_EQ(client.webFetch({.url = "http://h/", .rawHeaders = &raw}), "");
  EXPECT_EQ(raw, "old");
  fake->body.resize(limit);
  EXPECT_EQ(client.webFetch({.url = "http://h/"}).size(), limit);
}

TEST_F(WebEngine, MemoryRunningOutMidRequestIsAFailedRequestAndTheClientGoesOn) {
  fake->body = "abc";
  int reads = 0;
  fake->beforeEachRead = [&reads] {
    if (reads++ == 0) throw std::bad_alloc();
  };
  EXPECT_EQ(client.webFetch({.url = "http://h/"}), "");
  EXPECT_EQ(client.webFetch({.url = "http://h/"}), "abc");
}

// ---- abort and stalls

TEST_F(WebEngine, AnAbortReturnsTheBlockedCallAtOnceAndLeavesTheArguments) {
  fake->body = patternBytes(5000);
  fake->readBlocksAt = 1024;  // like Wine: closing the handles does not end the read
  LocalText raw = "untouched";
  std::future<ByteArray> call =
      std::async(std::launch::async, [&] { return client.webFetch({.url = "http://h/", .rawHeaders = &raw}); });
  fake->waitUntilBlocked();
  client.abort();
  EXPECT_EQ(call.get(), "");
  EXPECT_EQ(raw, "untouched");
  const Calls calls = fake->callTexts();
  EXPECT_EQ(Calls(calls.end() - 3, calls.end()), (Calls{"close 3", "close 2", "close 1"}))
      << "closed by the abort, while the read still blocks";
  EXPECT_TRUE(fake->blocked());
  fake->release();
}

TEST_F(WebEngine, AnAbortedClientMakesNoMoreRequests) {
  client.abort();
  client.abort();
  LocalText extra = "X: 1";
  EXPECT_EQ(client.webFetch({.url = "http://h/", .extraHeaders = &extra}), "");
  EXPECT_EQ(client.plainGet("http://h/"), "");
  EXPECT_EQ(extra, "X: 1");
  EXPECT_TRUE(client.aborted());
  EXPECT_TRUE(fake->calls().empty());
}

TEST(WebEngineStalls, ARequestWithoutAByteForTheLimitFailsAndTheClientGoesOn) {
  auto fake = std::make_shared<FakeHttpTransport>();
  fake->body = patternBytes(3000);
  fake->readBlocksAt = 2048;
  WebClient client(fake, 50ms);
  LocalText raw = "untouched";
  EXPECT_EQ(client.webFetch({.url = "http://h/", .rawHeaders = &raw}), "");
  EXPECT_EQ(raw, "untouched");
  EXPECT_TRUE(fake->blocked()) << "the stalled read holds only its own thread";
  EXPECT_FALSE(client.aborted());

  fake->readBlocksAt.reset();
  EXPECT_EQ(client.webFetch({.url = "http://h/"}), fake->body);
  fake->release();
}

TEST(WebEngineStalls, EveryByteStartsTheLimitAgain) {
  auto fake = std::make_shared<FakeHttpTransport>();
  fake->body = patternBytes(13 * 100);
  fake->piece = 100;
  fake->beforeEachRead = [] { std::this_thread::sleep_for(100ms); };
  WebClient client(fake, 1000ms);  // the whole body takes longer than that
  EXPECT_EQ(client.webFetch({.url = "http://h/"}), fake->body);
}

TEST(WebEngineStalls, ThePlatformsTimeOutsExceedTheLimitSoTheLimitEndsAStall) {
  auto fake = std::make_shared<FakeHttpTransport>();
  WebClient client(fake, 1500ms);
  client.webFetch({.url = "http://h/"});
  client.plainGet("http://h/");
  const Calls calls = fake->callTexts();
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                          [](const std::string& call) { return call.ends_with(" 6500") && call.starts_with("setTimeouts"); }),
            3);
}

TEST(WebEngineStalls, DestroyingAClientDoesNotWaitForAStuckRequest) {
  auto fake = std::make_shared<FakeHttpTransport>();
  fake->body = "abc";
  fake->readBlocksAt = 0;
  {
    WebClient client(fake, 30ms);
    EXPECT_EQ(client.webFetch({.url = "http://h/"}), "");
  }
  EXPECT_TRUE(fake->blocked());
  fake->release();
}

// ---- the request thread

TEST_F(WebEngine, EveryRequestOfAClientRunsOnItsOneRequestThread) {
  for (int i = 0; i < 30; ++i) client.webFetch({.url = "http://h/" + std::to_string(i)});
  client.plainGet("http://h/");
  std::set<std::thread::id> threads;
  for (const auto& call : fake->calls()) threads.insert(call.thread);
  ASSERT_EQ(threads.size(), 1u);
  EXPECT_NE(*threads.begin(), std::this_thread::get_id());

  WebClient other(fake, 30s);
  other.webFetch({.url = "http://h/"});
  for (const auto& call : fake->calls()) threads.insert(call.thread);
  EXPECT_EQ(threads.size(), 2u) << "each client has its own";
}

// ---- the caller's wait

TEST(WebEngineWaits, CancellingTheCallersWaitStopsItsRequestAtOnceAndEveryLaterOne) {
  auto fake = std::make_shared<FakeHttpTransport>();
  fake->body = patternBytes(5000);
  fake->readBlocksAt = 1024;
  BlockingWait wait;  // the window's wait, as 退出 cancels it
  WebClient client(fake, 30s, &wait);
  std::future<ByteArray> call = std::async(std::launch::async, [&] { return client.plainGet("http://h/"); });
  fake->waitUntilBlocked();
  wait.cancel();
  EXPECT_EQ(call.get(), "");
  const Calls calls = fake->callTexts();
  EXPECT_EQ(Calls(calls.end() - 2, calls.end()), (Calls{"close 2", "close 1"}));
  EXPECT_EQ(client.webFetch({.url = "http://h/"}), "");
  EXPECT_EQ(fake->callTexts(), calls) << "a cancelled wait makes no request";
  fake->release();
}

TEST_F(WebEngine, NoCallIsMadeOnAHandleAStopHasClosed) {
  // The stop comes while the body's last read runs; the header query that
  // would follow is not made on the handle the stop closed.
  fake->body = "abc";
  int reads = 0;
  fake->beforeEachRead = [&] {
    if (++reads == 2) client.abort();
  };
  EXPECT_EQ(client.plainGet("http://h/"), "");
  // The caller is back at once; the request thread lets go of the transport
  // when it is done.
  for (int i = 0; i < 5000 && fake.use_count() > 2; ++i) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(fake->callTexts(), (Calls{"openRoot 1 " + kAgent + " | direct", "setTimeouts 1 35000",
                                      "openUrl 2 1 http://h/", "read 2", "close 2", "close 1", "read 2"}))
      << "only the read under way, which the close cancels";
}

// ---- the shop lookup's plain GET

TEST_F(WebEngine, APlainGetOpensTheWholeUrlUnderARootWithTheTimeOuts) {
  fake->body = patternBytes(1500);
  EXPECT_EQ(client.plainGet("https://h/search?q=%61"), fake->body);
  EXPECT_EQ(fake->callTexts(),
            (Calls{"openRoot 1 " + kAgent + " | direct", "setTimeouts 1 35000", "openUrl 2 1 https://h/search?q=%61",
                   "read 2", "read 2", "read 2", "queryRawHeaders 2", "close 2", "close 1"}));
}

TEST_F(WebEngine, APlainGetFailsAsAWebFetchDoes) {
  fake->body = patternBytes(3000);
  fake->readFailsAt = 1024;
  EXPECT_EQ(client.plainGet("http://h/"), "");
  fake->readFailsAt.reset();
  fake->rawHeaders = announcing(3001);
  EXPECT_EQ(client.plainGet("http://h/"), "");
  fake->rawHeaders = announcing(3000);
  fake->urlOpens = false;
  EXPECT_EQ(client.plainGet("http://h/"), "");
}

}  // namespace
}  // namespace quorvane
