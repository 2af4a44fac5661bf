// Closing hides to the notification area; the icon brings the window back;
// "退出" in the icon menu ends the program with code 0.
#include <gtest/gtest.h>

#include "ui_driver.h"

namespace quorvane::ui {
namespace {

class Lifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    app = App::launch();
    ASSERT_NE(app, nullptr);
  }
  HWND keywordBox() const { return ui::keywordBox(app->mainWindow()); }
  std::unique_ptr<App> app;
};

TEST_F(Lifecycle, CloseOnlyHidesAndTheProcessKeepsRunning) {
  HWND window = app->mainWindow();
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(window); }));
  settle(window);
  EXPECT_TRUE(app->running());
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(Lifecycle, IconClickShowsTheSameWindowWithItsContentsUnchanged) {
  HWND window = app->mainWindow();
  typeText(keywordBox(), L"abc");
  RemoteGrid grid(controlAt(window, L"SysListView32", 0, 53));
  grid.select(2, 3);
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(window); }));
  app->postTrayEvent(WM_LBUTTONUP);
  ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  EXPECT_EQ(app->mainWindow(), window);
  EXPECT_EQ(text(keywordBox()), L"abc");
  EXPECT_EQ(grid.title(1), fromLocal("\xB5\xEA\xC6\xCC\xC3\xFB\xB3\xC6"));
  EXPECT_EQ(grid.selectedRows(), (std::vector<int>{2, 3}));
  saveScreenshot(L"shown-again");
}

TEST_F(Lifecycle, IconClickOnAShownWindowChangesNothing) {
  HWND window = app->mainWindow();
  RECT before = positionInParent(window);
  app->postTrayEvent(WM_LBUTTONUP);
  settle(window);
  EXPECT_TRUE(IsWindowVisible(window));
  RECT after = positionInParent(window);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(Lifecycle, OtherIconEventsDoNothing) {
  HWND window = app->mainWindow();
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(window); }));
  app->postTrayEvent(WM_MOUSEMOVE);
  app->postTrayEvent(WM_LBUTTONDBLCLK);
  settle(window);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(app->topLevelWindow(L"#32768"), nullptr);
}

TEST_F(Lifecycle, ExitFromTheIconMenuEndsWithCodeZero) {
  HWND menu = app->openTrayMenu();
  ASSERT_NE(menu, nullptr);
  saveScreenshot(L"tray-menu");
  chooseMenuItem(menu, ui::kExitMenuItem);
  EXPECT_EQ(app->waitForExit(), std::optional<DWORD>(0));
}

TEST_F(Lifecycle, ExitWorksWhileTheWindowIsHidden) {
  PostMessageW(app->mainWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(app->mainWindow()); }));
  HWND menu = app->openTrayMenu();
  ASSERT_NE(menu, nullptr);
  chooseMenuItem(menu, ui::kExitMenuItem);
  EXPECT_EQ(app->waitForExit(), std::optional<DWORD>(0));
}

TEST_F(Lifecycle, DismissedMenuLeavesTheProgramRunning) {
  HWND menu = app->openTrayMenu();
  ASSERT_NE(menu, nullptr);
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(menu); }));
  settle(app->mainWindow());
  EXPECT_TRUE(app->running());
}

}  // namespace
}  // namespace quorvane::ui
