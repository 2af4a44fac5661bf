#include "contact/batch_contact.h"

#include <gtest/gtest.h>

#include "wait/blocking_wait.h"

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
  BlockingWait wait;
  std::map<LocalText, LocalText> status;
  Ids looked, launched;
  PresenceCheck presence = [this](const LocalText& id) {
    looked.push_back(id);
    return status[id];
  };
  std::map<LocalText, platform::ShellOpen> launchResult;  // Opened when not named
  ChatLauncher launcher = [this](const LocalText& url) {
    launched.push_back(url);
    return launchResult.count(url) ? launchResult[url] : platform::ShellOpen::Opened;
  };
};

TEST_F(BatchContact, LooksUpEveryListedIdInOrderAndChatsOnlyWithOnlineOnes) {
  status = {{"a", "1"}, {"b", "0"}, {"c", "1"}};
  const ChatLaunches launches = contactListedIds("a\r\n\r\nb\r\nc\r\n", presence, launcher, wait);
  EXPECT_EQ(looked, (Ids{"a", "b", "c"}));
  EXPECT_EQ(launched, (Ids{buildChatUrl("a"), buildChatUrl("c")}));
  EXPECT_EQ(launches.opened, 2);
  EXPECT_EQ(launches.notOpened, 0);
}

TEST_F(BatchContact, CountsTheLaunchesTheShellCouldNotCarryOutAndGoesOn) {
  status = {{"a", "1"}, {"b", "1"}, {"c", "1"}};
  launchResult = {{buildChatUrl("a"), platform::ShellOpen::NoHandler}, {buildChatUrl("b"), platform::ShellOpen::Failed}};
  const ChatLaunches launches = contactListedIds("a\r\nb\r\nc", presence, launcher, wait);
  EXPECT_EQ(launched.size(), 3u);
  EXPECT_EQ(launches.opened, 1);
  EXPECT_EQ(launches.notOpened, 2);
  EXPECT_TRUE(launches.noHandler);
}

TEST_F(BatchContact, OnlyTheExactStatusOneCountsAsOnline) {
  status = {{"a", " 1"}, {"b", "1 "}, {"c", ""}, {"d", "11"}, {"e", "true"}};
  contactListedIds("a\r\nb\r\nc\r\nd\r\ne", presence, launcher, wait);
  EXPECT_EQ(looked.size(), 5u);
  EXPECT_TRUE(launched.empty());
}

TEST_F(BatchContact, ChatsWithTheIdAsListedSpacesIncluded) {
  status = {{" ab ", "1"}};
  ChatLaunches launches;
  contactIdIfOnline(" ab ", presence, launcher, wait, launches);
  EXPECT_EQ(launched, (Ids{buildChatUrl(" ab ")}));
}

// The window closed, or the program left, while a presence check waited:
// its answer launches nothing, and no other id is looked up.
TEST_F(BatchContact, ACancelDuringAPresenceCheckLaunchesNothingMore) {
  status = {{"a", "1"}, {"b", "1"}, {"c", "1"}};
  presence = [this](const LocalText& id) {
    looked.push_back(id);
    if (id == "b") wait.cancel();
    return status[id];
  };
  const ChatLaunches launches = contactListedIds("a\r\nb\r\nc", presence, launcher, wait);
  EXPECT_EQ(looked, (Ids{"a", "b"}));
  EXPECT_EQ(launched, (Ids{buildChatUrl("a")}));
  EXPECT_EQ(launches.opened, 1);
}

}  // namespace
}  // namespace quorvane
