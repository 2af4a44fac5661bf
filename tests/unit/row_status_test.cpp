#include "search/row_status.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

const LocalText kContacted = kContactedText;
const LocalText kNotContacted = kNotContactedText;
const LocalText kHistory = "older\r\nabcd\r\n";

TEST(RowStatus, OfflineAndContactedIsGrey) {
  auto s = rowStatus("0", kHistory, "abcd");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->presence, kOfflineText);
  EXPECT_EQ(s->contactState, kContacted);
  EXPECT_EQ(s->look, RowLook::Contacted);
}

TEST(RowStatus, OfflineAndNewKeepsItsLook) {
  auto s = rowStatus("0", kHistory, "other");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->presence, kOfflineText);
  EXPECT_EQ(s->contactState, kNotContacted);
  EXPECT_FALSE(s->look);
}

TEST(RowStatus, OnlineAndContactedIsGrey) {
  auto s = rowStatus("1", kHistory, "abc");  // inside a longer recorded id
  ASSERT_TRUE(s);
  EXPECT_EQ(s->presence, kOnlineText);
  EXPECT_EQ(s->contactState, kContacted);
  EXPECT_EQ(s->look, RowLook::Contacted);
}

TEST(RowStatus, OnlineAndNewIsGreen) {
  auto s = rowStatus("1", kHistory, "Abcd");  // the history is case-sensitive
  ASSERT_TRUE(s);
  EXPECT_EQ(s->contactState, kNotContacted);
  EXPECT_EQ(s->look, RowLook::OnlineNotContacted);
}

TEST(RowStatus, AnyOtherPresenceWritesNothing) {
  for (const char* presence : {"", " 1", "2", "10", "online"}) EXPECT_FALSE(rowStatus(presence, kHistory, "abcd"));
}

}  // namespace
}  // namespace quorvane
