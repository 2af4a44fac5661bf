#include "imaccounts/discover_im_accounts.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

using platform::TrayReadOutcome;
using platform::TrayTips;
using Items = std::vector<LocalText>;

const LocalText kClient = "\xC7\xA7\xC5\xA3";  // "千牛"
LocalText clientTip(const LocalText& account) { return kClient + " - " + account; }

TrayTips read(Items tips) { return {TrayReadOutcome::Read, std::move(tips)}; }
const TrayTips kNotFound{TrayReadOutcome::NotFound, {}};
const TrayTips kTimedOut{TrayReadOutcome::TimedOut, {}};

// A way of reading the notification area that answers what it was given,
// and with the hidden icons open what it was given for that.
class FakeSource : public platform::TrayTipSource {
 public:
  explicit FakeSource(TrayTips shown, TrayTips withHiddenOpen = kNotFound)
      : shown_(std::move(shown)), withHiddenOpen_(std::move(withHiddenOpen)) {}
  TrayTips readTips() override {
    ++reads;
    return shown_;
  }
  TrayTips readTipsWithHiddenIconsOpen() override {
    ++openings;
    return withHiddenOpen_;
  }
  int reads = 0;
  int openings = 0;

 private:
  TrayTips shown_, withHiddenOpen_;
};

// Records the list as a combo box would hold it.
class FakeList : public AccountList {
 public:
  void clearItems() override {
    items.clear();
    selected = -1;
  }
  void addItem(const LocalText& account) override { items.push_back(account); }
  void setSelectedIndex(int index) override { selected = index < int(items.size()) ? index : -1; }
  Items items{"stale"};
  int selected = 7;
};

ImAccountReading readOnRefresh(FakeSource& toolbars, FakeSource& automation) {
  return readImAccounts(toolbars, automation, HiddenIcons::OpenIfNeeded);
}

}  // namespace

// Windows 10 and a restored old taskbar: the toolbar is the notification
// area, even when none of its icons is the client's.
TEST(ReadImAccounts, WhileTheToolbarShowsIconsItAloneIsReadInIconOrder) {
  FakeSource withClient(read({clientTip("alice"), "Volume", clientTip("bob"), "", clientTip("alice"), kClient}));
  FakeSource withoutClient(read({"Volume", kClient, ""}));
  FakeSource automation(read({clientTip("carol")}), read({clientTip("dave")}));
  ImAccountReading reading = readOnRefresh(withClient, automation);
  EXPECT_EQ(reading.outcome, TrayReadOutcome::Read);
  EXPECT_EQ(reading.accounts, (Items{"alice", "bob", "alice"}));
  EXPECT_FALSE(reading.throughAutomation);
  reading = readOnRefresh(withoutClient, automation);
  EXPECT_TRUE(reading.accounts.empty());
  EXPECT_EQ(automation.reads + automation.openings, 0);
}

// Windows 11 from 22H2: the toolbar is there with no button, or not at all;
// the icons are automation elements. Their flyout is opened only on the
// user's request, and only when the taskbar shows no client icon.
TEST(ReadImAccounts, AnEmptyToolbarHandsOverToAutomationAndOnlyTheUsersRequestOpensTheHiddenIcons) {
  for (const TrayTips& emptyToolbar : {read({}), kNotFound}) {
    FakeSource toolbars(emptyToolbar);
    FakeSource shown(read({clientTip("alice"), "Volume"}), read({clientTip("zed")}));
    ImAccountReading reading = readOnRefresh(toolbars, shown);
    EXPECT_EQ(reading.accounts, (Items{"alice"}));
    EXPECT_TRUE(reading.throughAutomation);
    EXPECT_EQ(shown.openings, 0) << "the taskbar showed a client icon";

    FakeSource hidden(read({"Volume"}), read({"Volume", clientTip("bob"), clientTip("carol")}));
    reading = readImAccounts(toolbars, hidden, HiddenIcons::LeaveClosed);
    EXPECT_TRUE(reading.accounts.empty());
    EXPECT_EQ(hidden.openings, 0) << "opened without the user's request";
    reading = readOnRefresh(toolbars, hidden);
    EXPECT_EQ(reading.accounts, (Items{"bob", "carol"}));
    EXPECT_TRUE(reading.hiddenIconsOpened);
    EXPECT_EQ(hidden.openings, 1);
  }
}

TEST(ReadImAccounts, AShellWithoutFlyoutOrWithoutAutomationEndsWithWhatItShowed) {
  FakeSource toolbars(read({}));
  FakeSource noFlyout(read({"Volume"}), kNotFound);
  ImAccountReading reading = readOnRefresh(toolbars, noFlyout);
  EXPECT_EQ(reading.outcome, TrayReadOutcome::Read);
  EXPECT_TRUE(reading.accounts.empty());
  EXPECT_FALSE(reading.hiddenIconsOpened);
  FakeSource noAutomation(kNotFound, kNotFound);  // Wine 8, or no UI Automation at all
  reading = readOnRefresh(toolbars, noAutomation);
  EXPECT_EQ(reading.outcome, TrayReadOutcome::NotFound);
  EXPECT_FALSE(reading.throughAutomation);
}

// A shell that does not answer in time: whatever step it was, the reading
// says so and the list keeps what it showed, selection included.
TEST(ReadImAccounts, ATimeOutAtAnyStepIsATimeOutAndLeavesTheListAsItWas) {
  FakeSource toolbarTimesOut(kTimedOut), emptyToolbar(read({}));
  FakeSource automation(read({clientTip("alice")}));
  FakeSource automationTimesOut(kTimedOut);
  FakeSource flyoutTimesOut(read({}), kTimedOut);
  const std::pair<FakeSource*, FakeSource*> cases[] = {
      {&toolbarTimesOut, &automation}, {&emptyToolbar, &automationTimesOut}, {&emptyToolbar, &flyoutTimesOut}};
  for (auto [toolbars, tray] : cases) {
    ImAccountReading reading = readOnRefresh(*toolbars, *tray);
    EXPECT_EQ(reading.outcome, TrayReadOutcome::TimedOut);
    FakeList list;
    list.items = {"alice", "bob"};
    list.selected = 1;
    showImAccounts(reading, "bob", list);
    EXPECT_EQ(list.items, (Items{"alice", "bob"}));
    EXPECT_EQ(list.selected, 1);
  }
  EXPECT_EQ(automation.reads, 0) << "read on after the toolbar timed out";
}

// "TaskbarCreated" (DPI, remote desktop and monitor changes) and 刷新 must not
// switch the account chats are sent from.
TEST(ShowImAccounts, TheAccountSelectedBeforeStaysSelectedWhileListedOtherwiseTheFirst) {
  EXPECT_EQ(accountToSelect({"alice", "bob", "carol"}, "carol"), 2);
  EXPECT_EQ(accountToSelect({"alice", "bob", "bob"}, "bob"), 1);
  EXPECT_EQ(accountToSelect({"alice", "bob"}, "dave"), 0);
  EXPECT_EQ(accountToSelect({"alice", "bob"}, ""), 0);
  EXPECT_EQ(accountToSelect({}, "alice"), -1);
  EXPECT_EQ(accountToSelect({"Alice"}, "alice"), 0) << "names compare byte for byte";

  ImAccountReading reading{TrayReadOutcome::Read, {"alice", "carol"}};
  FakeList list;
  showImAccounts(reading, "carol", list);
  EXPECT_EQ(list.items, (Items{"alice", "carol"}));
  EXPECT_EQ(list.selected, 1);
  showImAccounts(ImAccountReading{TrayReadOutcome::Read, {"bob"}}, "carol", list);
  EXPECT_EQ(list.items, (Items{"bob"}));
  EXPECT_EQ(list.selected, 0);
  showImAccounts(ImAccountReading{TrayReadOutcome::NotFound, {}}, "bob", list);
  EXPECT_TRUE(list.items.empty());
  EXPECT_EQ(list.selected, -1);
}

TEST(ImAccountStatus, SaysWhatWasFoundWhatTimedOutAndWhereWindows11ShowsAHiddenIcon) {
  EXPECT_EQ(imAccountStatus({TrayReadOutcome::Read, {"alice", "bob"}}),
            "\xD5\xD2\xB5\xBD 2 \xB8\xF6\xC7\xA7\xC5\xA3\xD5\xCA\xBA\xC5");  // "找到 2 个千牛帐号"
  // "通知区域没有及时应答，帐号列表保持不变"
  EXPECT_EQ(imAccountStatus({TrayReadOutcome::TimedOut, {}}),
            "\xCD\xA8\xD6\xAA\xC7\xF8\xD3\xF2\xC3\xBB\xD3\xD0\xBC\xB0\xCA\xB1\xD3\xA6\xB4\xF0\xA3\xAC\xD5\xCA\xBA\xC5"
            "\xC1\xD0\xB1\xED\xB1\xA3\xB3\xD6\xB2\xBB\xB1\xE4");
  const LocalText settingsPath =  // "其他系统托盘图标 → 打开千牛"
      "\xC6\xE4\xCB\xFB\xCF\xB5\xCD\xB3\xCD\xD0\xC5\xCC\xCD\xBC\xB1\xEA \xA1\xFA \xB4\xF2\xBF\xAA\xC7\xA7\xC5\xA3";
  ImAccountReading windows11{TrayReadOutcome::Read, {}};
  windows11.throughAutomation = true;
  EXPECT_NE(imAccountStatus(windows11).find(settingsPath), LocalText::npos);
  for (TrayReadOutcome outcome : {TrayReadOutcome::Read, TrayReadOutcome::NotFound})
    EXPECT_EQ(imAccountStatus({outcome, {}}),  // "未找到已登录的千牛帐号"
              "\xCE\xB4\xD5\xD2\xB5\xBD\xD2\xD1\xB5\xC7\xC2\xBC\xB5\xC4\xC7\xA7\xC5\xA3\xD5\xCA\xBA\xC5");
}

}  // namespace quorvane
