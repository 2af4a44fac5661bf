#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "imaccounts/discover_im_accounts.h"
#include "platform/tray_tips.h"
#include "standin_tray_client.h"
#include "tray_test_support.h"

namespace quorvane::tray_test {
namespace {

using standin_tray::StandinTray;
using standin_tray::uiAutomationPresent;
using standin_tray::TrayOptions;
using Items = std::vector<LocalText>;

// A reading as at start-up, shown in a fresh list with nothing kept.
RecordedList discoverNow(HiddenIcons hidden = HiddenIcons::LeaveClosed) {
  RecordedList list;
  showImAccounts(readImAccounts(platform::trayToolbarTips(), platform::trayAutomationTips(), hidden), "", list);
  return list;
}

template <typename Condition>
bool waitFor(Condition done) {
  for (int i = 0; i < 100 && !done(); ++i) Sleep(50);
  return done();
}


template <typename Work>
double millisecondsFor(Work work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
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

// Windows 11 from 22H2: the toolbar path is there, empty, and the icons are
// XAML that only UI Automation shows. Wine 8 has none (the class is not
// registered): the discovery must end at once with an empty list.
TEST(TrayDiscovery, WithoutUiAutomationAWindows11TrayEndsTheDiscoveryAtOnceWithAnEmptyList) {
  if (uiAutomationPresent()) GTEST_SKIP() << "UI Automation is there (Wine 10): see Windows11TrayThroughUiAutomation";
  StandinTray tray({clientTip("alice")}, {clientTip("bob")}, TrayOptions{.windows11 = true});
  ASSERT_TRUE(tray.running());
  RecordedList list;
  const double ms = millisecondsFor([&] { list = discoverNow(HiddenIcons::OpenIfNeeded); });
  std::printf("discovery against the Windows 11 shape: %.2f ms\n", ms);
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.selected, -1);
}

// The same shape where UI Automation answers (Wine 10): the taskbar's icons
// in order, one nested a level deeper, other elements and other programs'
// icons left out; the hidden icons' window read while it is open.
TEST(Windows11TrayThroughUiAutomation, TheTaskbarsIconsInOrderNestedOnesTooThenTheOpenHiddenIcons) {
  if (!uiAutomationPresent()) GTEST_SKIP() << "no UI Automation here (Wine 8)";
  const LocalText shopkeeper = "\xB5\xEA\xD6\xF7\xD0\xA1\xCD\xF5";  // "店主小王"
  StandinTray tray({"Volume", clientTip(shopkeeper), "\t" + clientTip("nested"), clientTip("bob"), clientTip("bob")},
                   {clientTip("carol"), "Network"}, TrayOptions{.windows11 = true, .overflowShown = true});
  ASSERT_TRUE(tray.running());
  RecordedList list;
  const double ms = millisecondsFor([&] { list = discoverNow(); });
  std::printf("reading of the Windows 11 shape through UI Automation: %.1f ms\n", ms);
  EXPECT_EQ(list.items, (Items{shopkeeper, "bob", "bob", "nested", "carol"}));
  EXPECT_EQ(list.selected, 0);
}

// A security suite that guards the shell denies the open: every tip reads as
// "", and the discovery ends with an empty list instead of hanging or guessing.
TEST(TrayDiscovery, AShellThatCannotBeOpenedGivesAnEmptyListAtOnce) {
  StandinTray tray({clientTip("alice"), clientTip("bob")}, {clientTip("carol")}, TrayOptions{.processProtected = true});
  ASSERT_TRUE(tray.running());
  RecordedList list;
  const double ms = millisecondsFor([&] { list = discoverNow(); });
  std::printf("discovery against a shell that cannot be opened: %.2f ms\n", ms);
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.selected, -1);
}

}  // namespace quorvane::tray_test
