#include "search/presence_lookup.h"

#include <gtest/gtest.h>

#include "fake_marketplace.h"

namespace quorvane {
namespace {

using testing::FakeFetcher;

const char* kPrefix = "http://presence.test/muliuserstatus.aw?beginnum=0&site=cntaobao&charset=utf-8&uids=";

TEST(PresenceUrl, SearchKeepsPlainIdsAndEscapesTheRestInUtf8) {
  EXPECT_EQ(presenceUrl("presence.test", "ab12", IdEncoding::KeepPlain), std::string(kPrefix) + "ab12");
  EXPECT_EQ(presenceUrl("presence.test", "a_b", IdEncoding::KeepPlain), std::string(kPrefix) + "a%5Fb");
  EXPECT_EQ(presenceUrl("presence.test", "\xD6\xD0" "a", IdEncoding::KeepPlain), std::string(kPrefix) + "%E4%B8%ADa");
}

TEST(PresenceUrl, BatchEscapesEveryByte) {
  EXPECT_EQ(presenceUrl("presence.test", "ab", IdEncoding::EscapeAll), std::string(kPrefix) + "%61%62");
}

TEST(PresenceLookup, AsksOnceWithPlainHttpAndReadsTheStatusAfterTheFirstMarker) {
  FakeFetcher web;
  web.answers[std::string(kPrefix) + "ab"] = "x[0]=1;y[1]=0;";
  EXPECT_EQ(PresenceLookup(web, "presence.test", "ab", IdEncoding::KeepPlain), "1");
  ASSERT_EQ(web.requested.size(), 1u);
  EXPECT_EQ(web.requested[0].substr(0, 7), "http://");
}

TEST(PresenceLookup, GivesTheStatusUnchangedOrEmpty) {
  FakeFetcher web;
  const std::string url = std::string(kPrefix) + "ab";
  web.answers[url] = "s[0]=;";
  EXPECT_EQ(PresenceLookup(web, "presence.test", "ab", IdEncoding::KeepPlain), "");
  web.answers[url] = "s[0]= 1;";
  EXPECT_EQ(PresenceLookup(web, "presence.test", "ab", IdEncoding::KeepPlain), " 1");
  web.answers[url] = "s[0]=1";
  EXPECT_EQ(PresenceLookup(web, "presence.test", "ab", IdEncoding::KeepPlain), "");
  web.answers.clear();
  EXPECT_EQ(PresenceLookup(web, "presence.test", "ab", IdEncoding::KeepPlain), "");
}

}  // namespace
}  // namespace quorvane
