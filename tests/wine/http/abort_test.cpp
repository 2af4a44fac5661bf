// Stopping a client from another thread while its request stalls.
#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "loopback_server.h"
#include "web/web_client.h"

namespace quorvane {
namespace {

using testing::LoopbackServer;

class AbortedClient : public ::testing::Test {
 protected:
  LoopbackServer server;
  // A stall limit far beyond the test: only the abort can end the call.
  WebClient client{platform::systemHttpTransport(), std::chrono::hours(1)};

  // Starts a request that the server stalls in `phase`, waits until the
  // server holds it, aborts from this thread and returns the call's body.
  ByteArray abortStalledRequest(const std::string& tag, const std::string& phase, LocalText* raw) {
    std::future<ByteArray> call = std::async(std::launch::async, [&] {
      return client.webFetch({.url = server.httpUrl("/s?bytes=5000&stall=" + tag + "&phase=" + phase),
                              .rawHeaders = raw});
    });
    EXPECT_TRUE(server.waitForMarker(tag));
    client.abort();
    return call.get();
  }
};

// The server stalls until the client goes away, for minutes, and closing
// the handles does not end Wine's receive: the call can only come back
// because of the abort. A platform time-out instead would have delivered
// the 100 body bytes already sent, or rewritten the raw headers.
TEST_F(AbortedClient, StallInTheBodyReturnsEmptyAndLeavesTheArguments) {
  LocalText raw = "untouched";
  EXPECT_EQ(abortStalledRequest("body", "body", &raw), "");
  EXPECT_EQ(raw, "untouched");
}

TEST_F(AbortedClient, StallBeforeTheAnswerReturnsEmptyAndLeavesTheArguments) {
  LocalText raw = "untouched";
  EXPECT_EQ(abortStalledRequest("headers", "headers", &raw), "");
  EXPECT_EQ(raw, "untouched");
}

TEST_F(AbortedClient, LaterCallsReturnEmptyWithoutARequest) {
  client.abort();
  LocalText extra = "X: 1";
  EXPECT_EQ(client.webFetch({.url = server.httpUrl("/echo"), .extraHeaders = &extra}), "");
  EXPECT_EQ(extra, "X: 1");
  EXPECT_EQ(client.fetchPageText(server.httpUrl("/p?text=x")), "");
  EXPECT_TRUE(client.aborted());
}

TEST_F(AbortedClient, AbortWithNothingInFlightAndTwiceIsHarmless) {
  client.abort();
  client.abort();
  EXPECT_EQ(client.webFetch({.url = server.httpUrl("/echo")}), "");
}

TEST_F(AbortedClient, OtherClientsKeepWorking) {
  client.abort();
  WebClient other;
  EXPECT_EQ(other.webFetch({.url = server.httpUrl("/p?text=still")}), "still");
}

}  // namespace
}  // namespace quorvane
