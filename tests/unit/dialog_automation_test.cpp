#include "contact/dialog_automation.h"

#include <gtest/gtest.h>

#include "contact/im_client_dialogs.h"
#include "fake_im_client_windows.h"

namespace quorvane {
namespace {

using testing::FakeImClientWindows;
using testing::FakeWindow;
using platform::WindowId;
using Log = std::vector<std::string>;

const LocalText kChooser = im_client::kAccountChooserTitle;
const LocalText kAddFriend = im_client::kAddFriendTitle;
const LocalText kClientDialog = im_client::kClientDialogTitle;
const LocalText kSuffix = im_client::kAccountItemSuffix;

std::string click(WindowId id) { return "click " + std::to_string(id); }
std::string close(WindowId id) { return "close " + std::to_string(id); }

TEST(AccountChooser, PicksTheItemOfTheSelectedAccountAndClicksOk) {
  FakeImClientWindows client;
  WindowId list = 0, ok = 0;
  client.addChooser(kChooser, {"bob" + kSuffix, "alice" + kSuffix, "Alice" + kSuffix, "alice"}, &list, &ok);
  answerAccountChooser(client, "alice");
  EXPECT_EQ(client.log, (Log{"select 1", click(ok)}));
  EXPECT_EQ(client.windows[list].selected, 1);
}

TEST(AccountChooser, ComparesBytesExactlySoCaseAndMissingSuffixNeverMatch) {
  FakeImClientWindows client;
  client.addChooser(kChooser, {"Alice" + kSuffix, "alice", "alice" + kSuffix + " ", " alice" + kSuffix});
  answerAccountChooser(client, "alice");
  EXPECT_TRUE(client.log.empty());
}

TEST(AccountChooser, GoesOnComparingAfterAMatch) {
  FakeImClientWindows client;
  WindowId ok = 0;
  client.addChooser(kChooser, {"alice" + kSuffix, "bob" + kSuffix, "alice" + kSuffix}, nullptr, &ok);
  answerAccountChooser(client, "alice");
  EXPECT_EQ(client.log, (Log{"select 0", click(ok), "select 2", click(ok)}));
}

TEST(AccountChooser, MatchesChineseAccountsByTheirLocalBytes) {
  FakeImClientWindows client;
  const LocalText account = "\xD6\xD0" "a";  // 中a
  client.addChooser(kChooser, {"\xD6\xD0" "A" + kSuffix, account + kSuffix});
  answerAccountChooser(client, account);
  EXPECT_EQ(client.log.front(), "select 1");
}

TEST(AccountChooser, WithNoAccountSelectedOnlyABareSuffixMatches) {
  FakeImClientWindows client;
  client.addChooser(kChooser, {"bob" + kSuffix, kSuffix});
  answerAccountChooser(client, "");
  EXPECT_EQ(client.log.front(), "select 1");
}

TEST(AccountChooser, IgnoresDialogsOfAnotherClassOrTitle) {
  FakeImClientWindows client;
  WindowId other = client.addTopLevel("ChooserLike", kChooser);
  client.addItem(other, 201, FakeWindow::listBox({"alice" + kSuffix}));
  client.addChooser(kChooser + " ", {"alice" + kSuffix});
  answerAccountChooser(client, "alice");
  EXPECT_TRUE(client.log.empty());
}

TEST(AccountChooser, DoesNothingWithoutAChooserOrWithoutItsList) {
  FakeImClientWindows client;
  answerAccountChooser(client, "alice");
  client.addTopLevel("#32770", kChooser);
  answerAccountChooser(client, "alice");
  EXPECT_TRUE(client.log.empty());
}

TEST(AccountChooser, LeavesAnImplausiblyLongListAlone) {
  FakeImClientWindows client;
  std::vector<LocalText> items(5000, "x");
  items.push_back("alice" + kSuffix);
  client.addChooser(kChooser, items);
  answerAccountChooser(client, "alice");
  EXPECT_TRUE(client.log.empty());
}

class AddFriendDialogs : public ::testing::Test {
 protected:
  FakeImClientWindows client;
  WindowId firstAddFriend = client.addTopLevel("#32770", kAddFriend);
  WindowId otherClass = client.addTopLevel("AddFriendFrame", kAddFriend);
  WindowId secondAddFriend = client.addTopLevel("#32770", kAddFriend);
  WindowId clientDialog = client.addTopLevel("#32770", kClientDialog);
};

TEST_F(AddFriendDialogs, CloseOneOfEachTitlePerTick) {
  closeAddFriendDialogs(client, true);
  EXPECT_EQ(client.log, (Log{close(firstAddFriend), close(clientDialog)}));
  closeAddFriendDialogs(client, true);
  EXPECT_EQ(client.log.back(), close(secondAddFriend));
  closeAddFriendDialogs(client, true);
  EXPECT_EQ(client.log.size(), 3u);
  EXPECT_TRUE(client.windows[otherClass].open);
}

TEST_F(AddFriendDialogs, StayOpenWhileAutoCloseIsUnticked) {
  closeAddFriendDialogs(client, false);
  EXPECT_TRUE(client.log.empty());
}

}  // namespace
}  // namespace quorvane
