// The account list of the main window as the user sees it: filled from the
// notification area when the window opens and again on 刷新.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "standin_tray_client.h"
#include "ui_driver.h"

namespace quorvane::ui {
namespace {

using standin_tray::StandinTray;
using Items = std::vector<std::wstring>;

const std::string kClient = "\xC7\xA7\xC5\xA3";  // "千牛"
std::string clientTip(const std::string& account) { return kClient + " - " + account; }

// 联系旺旺列表框's items and selection, read across processes in UTF-16
// (the A form of CB_GETLBTEXT cannot be trusted across processes in Wine).
struct AccountBox {
  HWND box;

  Items items() const {
    Items all;
    LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      LRESULT length = SendMessageW(box, CB_GETLBTEXTLEN, i, 0);
      if (length < 0) continue;
      std::wstring item(static_cast<size_t>(length) + 1, L'\0');
      SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
      item.resize(wcslen(item.c_str()));
      all.push_back(item);
    }
    return all;
  }
  int selected() const { return static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0)); }
};

class AccountList : public ::testing::Test {
 protected:
  void launch() {
    app = App::launch();
    ASSERT_NE(app, nullptr);
    ASSERT_NE(app->mainWindow(), nullptr);
    accounts.box = controlAt(app->mainWindow(), L"ComboBox", 92, 658);
    ASSERT_NE(accounts.box, nullptr);
  }
  void clickRefresh() {
    HWND refresh = findControl(app->mainWindow(), L"Button", fromLocal("\xCB\xA2\xD0\xC2"));  // "刷新"
    ASSERT_NE(refresh, nullptr);
    click(refresh);
  }
  bool listShows(const Items& expected) {
    return waitUntil([&] { return accounts.items() == expected; });
  }

  std::unique_ptr<App> app;
  AccountBox accounts{nullptr};
};

}  // namespace

TEST_F(AccountList, TwoClientIconsGiveBothNamesInIconOrderTheFirstSelected) {
  const std::string shopkeeper = "\xB5\xEA\xD6\xF7\xD0\xA1\xCD\xF5";  // "店主小王"
  StandinTray tray({"Volume: 80%", clientTip(shopkeeper), "\xCD\xF8\xC2\xE7", clientTip("bob")});
  ASSERT_TRUE(tray.running());
  launch();
  EXPECT_EQ(accounts.items(), (Items{fromLocal(shopkeeper), L"bob"}));
  EXPECT_EQ(accounts.selected(), 0);
  // What the user sees: the first account in the closed drop-down list.
  EXPECT_EQ(text(accounts.box), fromLocal(shopkeeper));
  SendMessageW(accounts.box, CB_SHOWDROPDOWN, TRUE, 0);
  saveScreenshot(L"account_list_two_accounts");
  SendMessageW(accounts.box, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(AccountList, OtherProgramsIconsNeverAppearNotEvenTheProgramsOwn) {
  StandinTray tray({"Volume: 80%", kClient + "!", "Network"});
  ASSERT_TRUE(tray.running());
  launch();
  // The program's own icon has reached the stand-in's toolbar by now.
  ASSERT_FALSE(tray.notifyRecords().empty());
  clickRefresh();
  EXPECT_TRUE(accounts.items().empty());
  EXPECT_EQ(accounts.selected(), -1);
}

TEST_F(AccountList, TheSameAccountOnTwoIconsIsListedTwice) {
  StandinTray tray({clientTip("alice"), "Volume", clientTip("alice")});
  ASSERT_TRUE(tray.running());
  launch();
  EXPECT_EQ(accounts.items(), (Items{L"alice", L"alice"}));
}

TEST_F(AccountList, RefreshAfterALogoutRemovesTheAccountAndSelectsItemZero) {
  StandinTray tray({clientTip("alice"), clientTip("bob"), clientTip("carol")});
  ASSERT_TRUE(tray.running());
  launch();
  ASSERT_EQ(accounts.items(), (Items{L"alice", L"bob", L"carol"}));
  SendMessageW(accounts.box, CB_SETCURSEL, 2, 0);  // the user picked carol
  ASSERT_GE(tray.show({clientTip("alice"), clientTip("carol")}), 2);
  clickRefresh();
  EXPECT_TRUE(listShows({L"alice", L"carol"}));
  EXPECT_EQ(accounts.selected(), 0);
}

TEST_F(AccountList, RefreshFindsAnAccountThatLoggedInLater) {
  StandinTray tray({"Volume"});
  ASSERT_TRUE(tray.running());
  launch();
  ASSERT_TRUE(accounts.items().empty());
  tray.show({"Volume", clientTip("dave")});
  clickRefresh();
  EXPECT_TRUE(listShows({L"dave"}));
  EXPECT_EQ(accounts.selected(), 0);
}

TEST_F(AccountList, WithoutANotificationAreaTheListIsEmptyAndNothingSelected) {
  launch();
  EXPECT_TRUE(accounts.items().empty());
  EXPECT_EQ(accounts.selected(), -1);
  clickRefresh();
  EXPECT_TRUE(app->running());
  EXPECT_TRUE(accounts.items().empty());
  EXPECT_EQ(accounts.selected(), -1);
}

TEST_F(AccountList, ClientTipsTooShortToNameAnAccountAreSkippedWithoutHarm) {
  StandinTray tray({kClient, kClient + "x", clientTip("alice")});  // 4 and 5 bytes
  ASSERT_TRUE(tray.running());
  launch();
  EXPECT_EQ(accounts.items(), (Items{L"alice"}));
  clickRefresh();
  EXPECT_TRUE(app->running());
  EXPECT_TRUE(listShows({L"alice"}));
  EXPECT_EQ(accounts.selected(), 0);
}

}  // namespace quorvane::ui
