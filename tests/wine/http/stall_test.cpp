// Answers that stop arriving: once no byte has come for the stall limit the
// request fails, on both request paths, and the client goes on working.
#include <gtest/gtest.h>

#include <chrono>

#include "loopback_server.h"
#include "web/web_client.h"

namespace quorvane {
namespace {

using testing::LoopbackServer;

class Stalls : public ::testing::Test, public ::testing::WithParamInterface<const char*> {
 protected:
  LoopbackServer server;
  WebClient client{platform::systemHttpTransport(), std::chrono::milliseconds(3000)};

  std::string stallingUrl(const std::string& tag) const {
    return server.httpUrl("/s?bytes=5000&stall=" + tag + "&phase=" + GetParam());
  }
};

TEST_P(Stalls, AWebFetchFailsWithItsArgumentsUntouchedAndLetsTheConnectionGo) {
  const std::string tag = std::string("fetch-") + GetParam();
  LocalText raw = "untouched", extra = "X: 1";
  EXPECT_EQ(client.webFetch({.url = stallingUrl(tag), .extraHeaders = &extra, .rawHeaders = &raw}), "");
  EXPECT_EQ(raw, "untouched");
  EXPECT_EQ(extra, "X: 1");
  EXPECT_TRUE(server.waitForMarker(tag + ".closed")) << "the platform's own receive time-out ends the read too";
  EXPECT_EQ(client.fetchPageText(server.httpUrl("/p?text=after")), "after");
}

TEST_P(Stalls, APlainGetFails) {
  EXPECT_EQ(client.plainGet(stallingUrl(std::string("get-") + GetParam())), "");
  EXPECT_EQ(client.plainGet(server.httpUrl("/p?text=after")), "after");
}

INSTANTIATE_TEST_SUITE_P(InTheBodyAndBeforeTheAnswer, Stalls, ::testing::Values("body", "headers"));

}  // namespace
}  // namespace quorvane
