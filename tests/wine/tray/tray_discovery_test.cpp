#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "imaccounts/discover_im_accounts.h"
#include "platform/tray_tips.h"
#include "standin_tray_client.h"
#include "tray_test_support.h"

namespace quorvane::tray_test {
namespace {

using standin_tray::StandinTray;
using Items = std::vector<LocalText>;

RecordedList discoverNow() {
  RecordedList list;
  DiscoverImAccounts(platform::trayToolbarTips(), platform::trayAutomationTips(), list);
  return list;
}

}  // namespace

TEST(TrayDiscovery, TwoClientIconsGiveBothNamesInIconOrderTheFirstSelected) {
  StandinTray tray({"Volume: 80%", clientTip("alice"), "\xCD\xF8\xC2\xE7", clientTip("bob")});
  ASSERT_TRUE(tray.running());
  RecordedList list = discoverNow();
  EXPECT_EQ(list.items, (Items{"alice", "bob"}));
  EXPECT_EQ(list.selected, 0);
}

TEST(TrayDiscovery, ChineseAccountNamesArriveByteForByte) {
  const LocalText shopkeeper = "\xB5\xEA\xD6\xF7\xD0\xA1\xCD\xF5";  // "店主小王"
  StandinTray tray({clientTip(shopkeeper)});
  ASSERT_TRUE(tray.running());
  EXPECT_EQ(discoverNow().items, (Items{shopkeeper}));
}

TEST(TrayDiscovery, TheSameAccountOnTwoIconsIsListedTwice) {
  StandinTray tray({clientTip("alice"), clientTip("alice")});
  ASSERT_TRUE(tray.running());
  EXPECT_EQ(discoverNow().items, (Items{"alice", "alice"}));
}

TEST(TrayDiscovery, AnAccountThatLoggedOutIsGoneAtTheNextRunAndItemZeroIsSelected) {
  StandinTray tray({clientTip("alice"), clientTip("bob")});
  ASSERT_TRUE(tray.running());
  ASSERT_EQ(discoverNow().items, (Items{"alice", "bob"}));
  ASSERT_EQ(tray.show({clientTip("bob")}), 1);
  RecordedList list = discoverNow();
  EXPECT_EQ(list.items, (Items{"bob"}));
  EXPECT_EQ(list.selected, 0);
}

TEST(TrayDiscovery, HiddenIconsAreListedAfterTheVisibleOnes) {
  StandinTray tray({"Volume", clientTip("alice")}, {clientTip("carol"), "Network"});
  ASSERT_TRUE(tray.running());
  EXPECT_EQ(discoverNow().items, (Items{"alice", "carol"}));
}

TEST(TrayDiscovery, ClientTipsWithoutAnAccountAreSkippedAndTheOthersStillRead) {
  StandinTray tray({kClient, kClient + "x", "", kClient + " - ", clientTip("alice")});
  ASSERT_TRUE(tray.running());
  RecordedList list = discoverNow();
  EXPECT_EQ(list.items, (Items{"alice"}));
  EXPECT_EQ(list.selected, 0);
}

TEST(TrayDiscovery, TheLongestTipIsReadWhole) {
  LocalText account(127 - 7, 'a');
  account.back() = 'z';
  StandinTray tray({clientTip(account)});
  ASSERT_TRUE(tray.running());
  EXPECT_EQ(discoverNow().items, (Items{account}));
}

TEST(TrayDiscovery, ATrayWithoutClientIconsGivesAnEmptyListWithNothingSelected) {
  StandinTray tray({"Volume", "Network"});
  ASSERT_TRUE(tray.running());
  RecordedList list = discoverNow();
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.selected, -1);
}

// Only Wine's own, childless "Shell_TrayWnd" is left.
TEST(TrayDiscovery, WithoutANotificationAreaTheListIsEmptyWithNothingSelected) {
  RecordedList list = discoverNow();
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.selected, -1);
}

// The path a real IM client takes: its icon reaches the shell through
// Shell_NotifyIcon, and the shell shows it as a toolbar button.
TEST(TrayDiscovery, AnIconAddedThroughTheShellIsFoundAndGoesWithIt) {
  StandinTray tray({clientTip("alice")});
  ASSERT_TRUE(tray.running());
  HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  NOTIFYICONDATAW icon = {};
  icon.cbSize = sizeof icon;
  icon.hWnd = owner;
  icon.uID = 9;
  icon.uFlags = NIF_TIP;
  wcscpy(icon.szTip, L"\x5343\x725B - dave");  // "千牛 - dave"
  ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &icon));
  EXPECT_EQ(discoverNow().items, (Items{"alice", "dave"}));
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &icon));
  EXPECT_EQ(discoverNow().items, (Items{"alice"}));
  DestroyWindow(owner);
}

}  // namespace quorvane::tray_test
