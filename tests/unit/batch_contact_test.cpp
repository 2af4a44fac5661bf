#include "contact/batch_contact.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

using Ids = std::vector<LocalText>;

TEST(ListedIds, SplitAtCrLfAndSkipEmptyPieces) {
  EXPECT_EQ(listedIds("a\r\n\r\nb\r\n"), (Ids{"a", "b"}));
  EXPECT_EQ(listedIds(""), Ids{});
  EXPECT_EQ(listedIds("\r\n\r\n"), Ids{});
  EXPECT_EQ(listedIds("last"), (Ids{"last"}));
}

TEST(ListedIds, TakeBareLineFeedsAndCarriageReturnsAsPartOfTheId) {
  EXPECT_EQ(listedIds("a\nb\nc"), (Ids{"a\nb\nc"}));
  EXPECT_EQ(listedIds("a\r\rb\n\r\n"), (Ids{"a\r\rb\n"}));
}

TEST(ListedIds, KeepSpacesAndLinesOfSpacesUnchanged) {
  EXPECT_EQ(listedIds(" a \r\n   \r\n"), (Ids{" a ", "   "}));
}

class BatchContact : public ::testing::Test {
 protected:
  std::map<LocalText, LocalText> status;
  Ids looked, launched;
  PresenceCheck presence = [this](const LocalText& id) {
    looked.push_back(id);
    return status[id];
  };
  ChatLauncher launcher = [this](const LocalText& url) { launched.push_back(url); };
};

TEST_F(BatchContact, LooksUpEveryListedIdInOrderAndChatsOnlyWithOnlineOnes) {
  status = {{"a", "1"}, {"b", "0"}, {"c", "1"}};
  contactListedIds("a\r\n\r\nb\r\nc\r\n", presence, launcher);
  EXPECT_EQ(looked, (Ids{"a", "b", "c"}));
  EXPECT_EQ(launched, (Ids{buildChatUrl("a"), buildChatUrl("c")}));
}

TEST_F(BatchContact, OnlyTheExactStatusOneCountsAsOnline) {
  status = {{"a", " 1"}, {"b", "1 "}, {"c", ""}, {"d", "11"}, {"e", "true"}};
  contactListedIds("a\r\nb\r\nc\r\nd\r\ne", presence, launcher);
  EXPECT_EQ(looked.size(), 5u);
  EXPECT_TRUE(launched.empty());
}

TEST_F(BatchContact, ChatsWithTheIdAsListedSpacesIncluded) {
  status = {{" ab ", "1"}};
  contactIdIfOnline(" ab ", presence, launcher);
  EXPECT_EQ(launched, (Ids{buildChatUrl(" ab ")}));
}

TEST_F(BatchContact, AStopEndsTheRoundBeforeTheNextId) {
  status = {{"a", "1"}, {"b", "1"}};
  contactListedIds("a\r\nb", presence, launcher, [this] { return !launched.empty(); });
  EXPECT_EQ(looked, (Ids{"a"}));
}

}  // namespace
}  // namespace quorvane
