#include "imaccounts/discover_im_accounts.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace quorvane {
namespace {

using Items = std::vector<LocalText>;

const LocalText kClient = "\xC7\xA7\xC5\xA3";  // "千牛"
LocalText clientTip(const LocalText& account) { return kClient + " - " + account; }

// A way of reading the notification area that answers what it was given.
class FakeSource : public platform::TrayTipSource {
 public:
  explicit FakeSource(std::optional<Items> tips) : tips_(std::move(tips)) {}
  std::optional<Items> readTips() override {
    ++reads;
    return tips_;
  }
  int reads = 0;

 private:
  std::optional<Items> tips_;
};

const std::optional<Items> kUnavailable = std::nullopt;

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
  Items items{"stale"};
  int selected = 7;
  int clears = 0;
};

FakeList discover(FakeSource& toolbars, FakeSource& automation) {
  FakeList list;
  DiscoverImAccounts(toolbars, automation, list);
  return list;
}

}  // namespace

TEST(DiscoverImAccounts, ListsEveryClientAccountInIconOrderAndSelectsTheFirst) {
  FakeSource toolbars(Items{clientTip("alice"), "Volume", clientTip("bob"), "", clientTip("carol")});
  FakeSource automation(kUnavailable);
  FakeList list = discover(toolbars, automation);
  EXPECT_EQ(list.items, (Items{"alice", "bob", "carol"}));
  EXPECT_EQ(list.selected, 0);
}

TEST(DiscoverImAccounts, TheSameAccountOnTwoIconsIsListedTwice) {
  FakeSource toolbars(Items{clientTip("alice"), clientTip("alice")});
  FakeSource automation(kUnavailable);
  EXPECT_EQ(discover(toolbars, automation).items, (Items{"alice", "alice"}));
}

TEST(DiscoverImAccounts, ARepeatedRunReplacesTheListAndSelectsItemZeroAgain) {
  FakeSource before(Items{clientTip("alice"), clientTip("bob")});
  FakeSource automation(kUnavailable);
  FakeList list;
  DiscoverImAccounts(before, automation, list);
  list.selected = 1;
  FakeSource after(Items{clientTip("bob")});
  DiscoverImAccounts(after, automation, list);
  EXPECT_EQ(list.items, (Items{"bob"}));
  EXPECT_EQ(list.selected, 0);
}

// Windows 10 and a restored old taskbar: the toolbar is the notification
// area, even when none of its icons is the client's.
TEST(DiscoverImAccounts, WhileTheToolbarShowsIconsAutomationIsNeverAsked) {
  FakeSource withClient(Items{"Volume", clientTip("alice")});
  FakeSource withoutClient(Items{"Volume", kClient, ""});
  FakeSource automation(Items{clientTip("bob")});
  EXPECT_EQ(discover(withClient, automation).items, (Items{"alice"}));
  FakeList list = discover(withoutClient, automation);
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.selected, -1);
  EXPECT_EQ(automation.reads, 0);
}

// Windows 11 from 22H2: the toolbar path is there with no button, or not at
// all; the icons are automation elements, filled in exactly as buttons are.
TEST(DiscoverImAccounts, AnEmptyOrMissingToolbarHandsTheListToAutomation) {
  for (const std::optional<Items>& emptyToolbar : {std::optional<Items>(Items{}), kUnavailable}) {
    FakeSource toolbars(emptyToolbar);
    FakeSource automation(Items{clientTip("alice"), "Volume", clientTip("alice"), "", clientTip("bob")});
    FakeList list = discover(toolbars, automation);
    EXPECT_EQ(list.items, (Items{"alice", "alice", "bob"}));
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(list.clears, 1);
    EXPECT_EQ(automation.reads, 1);
  }
}

TEST(DiscoverImAccounts, WhenNeitherWayShowsAnIconTheListIsEmptiedAndNothingSelected) {
  FakeSource toolbars(Items{});
  FakeSource automation(Items{});
  FakeList list = discover(toolbars, automation);
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.selected, -1);
  EXPECT_EQ(list.clears, 1);
}

// Wine, or a thread without COM: automation cannot run, and the list is what
// the toolbar gave.
TEST(DiscoverImAccounts, WithoutAutomationTheListIsTheToolbarsResult) {
  FakeSource emptyToolbar(Items{});
  FakeSource noToolbar(kUnavailable);
  FakeSource automation(kUnavailable);
  for (FakeSource* toolbars : {&emptyToolbar, &noToolbar}) {
    FakeList list = discover(*toolbars, automation);
    EXPECT_TRUE(list.items.empty());
    EXPECT_EQ(list.selected, -1);
  }
  EXPECT_EQ(automation.reads, 2);
}

}  // namespace quorvane
