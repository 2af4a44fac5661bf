#include "imaccounts/discover_im_accounts.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

const LocalText kClient = "\xC7\xA7\xC5\xA3";  // "千牛"
LocalText clientTip(const LocalText& account) { return kClient + " - " + account; }

class FakeToolbar : public TrayToolbar {
 public:
  explicit FakeToolbar(std::vector<LocalText> tips) : tips_(std::move(tips)), count_(int(tips_.size())) {}
  FakeToolbar(std::vector<LocalText> tips, int claimedCount) : tips_(std::move(tips)), count_(claimedCount) {}
  int ButtonCount() override { return count_; }
  LocalText ButtonText(int index) override {
    ++reads;
    return index >= 0 && index < int(tips_.size()) ? tips_[index] : "";
  }
  int reads = 0;

 private:
  std::vector<LocalText> tips_;
  int count_;
};

// Records the list as a combo box would hold it.
class FakeList : public AccountList {
 public:
  void clearItems() override {
    items.clear();
    selected = -1;
    ++clears;
  }
  void addItem(const LocalText& account) override { items.push_back(account); }
  void setSelectedIndex(int index) override { selected = index < int(items.size()) ? index : -1; }
  std::vector<LocalText> items;
  int selected = 7;
  int clears = 0;
};

void discover(std::vector<FakeToolbar*> toolbars, FakeList& list) {
  std::vector<TrayToolbar*> all(toolbars.begin(), toolbars.end());
  DiscoverImAccounts(all, list);
}

}  // namespace

TEST(DiscoverImAccounts, ListsEveryClientAccountInIconOrderAndSelectsTheFirst) {
  FakeToolbar tray({clientTip("alice"), "Volume", clientTip("bob"), "", clientTip("carol")});
  FakeList list;
  discover({&tray}, list);
  EXPECT_EQ(list.items, (std::vector<LocalText>{"alice", "bob", "carol"}));
  EXPECT_EQ(list.selected, 0);
}

TEST(DiscoverImAccounts, TheSameAccountOnTwoIconsIsListedTwice) {
  FakeToolbar tray({clientTip("alice"), clientTip("alice")});
  FakeList list;
  discover({&tray}, list);
  EXPECT_EQ(list.items, (std::vector<LocalText>{"alice", "alice"}));
}

TEST(DiscoverImAccounts, WithoutClientIconsTheListIsEmptyAndNothingSelected) {
  FakeToolbar tray({"Volume", kClient, kClient + "-"});
  FakeList list;
  list.items = {"stale"};
  discover({&tray}, list);
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.selected, -1);
  EXPECT_EQ(list.clears, 1);
}

TEST(DiscoverImAccounts, WithoutAnyToolbarTheListIsEmptiedAndNothingSelected) {
  FakeList list;
  list.items = {"stale"};
  discover({}, list);
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.selected, -1);
}

TEST(DiscoverImAccounts, ARepeatedRunReplacesTheListAndSelectsItemZeroAgain) {
  FakeToolbar before({clientTip("alice"), clientTip("bob")});
  FakeList list;
  discover({&before}, list);
  list.selected = 1;
  FakeToolbar after({clientTip("bob")});
  discover({&after}, list);
  EXPECT_EQ(list.items, (std::vector<LocalText>{"bob"}));
  EXPECT_EQ(list.selected, 0);
}

TEST(DiscoverImAccounts, ToolbarsAreReadOneAfterTheOtherVisibleIconsFirst) {
  FakeToolbar visible({"Volume", clientTip("alice")});
  FakeToolbar overflow({clientTip("bob"), "Network"});
  FakeList list;
  discover({&visible, &overflow}, list);
  EXPECT_EQ(list.items, (std::vector<LocalText>{"alice", "bob"}));
  EXPECT_EQ(list.selected, 0);
}

TEST(DiscoverImAccounts, ANonsenseButtonCountReadsNothingOrAtMostTheCap) {
  FakeToolbar negative({clientTip("alice")}, -5);
  FakeToolbar huge({clientTip("alice")}, 0x7FFFFFFF);
  FakeList list;
  discover({&negative, &huge}, list);
  EXPECT_EQ(negative.reads, 0);
  EXPECT_EQ(huge.reads, kMostTrayButtons);
  EXPECT_EQ(list.items, (std::vector<LocalText>{"alice"}));
}

}  // namespace quorvane
