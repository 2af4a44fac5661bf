// A second start of the program hands over to the first: the first window
// comes forward (shown again when hidden to the notification area, restored
// when minimised) and the second process ends with code 0 before it makes a
// window or an icon of its own.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "layout_figures.h"
#include "standin_tray_client.h"
#include "ui_driver.h"

namespace quorvane::ui {
namespace {

BOOL CALLBACK countMainWindow(HWND window, LPARAM count) {
  if (className(window) == L"QuorvaneMainWindow") ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int mainWindowsOfAllProcesses() {
  int count = 0;
  EnumWindows(countMainWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

class SecondStart : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tray.running());
    first = App::launch();
    ASSERT_NE(first, nullptr);
    window = first->mainWindow();
  }
  // Starts the program once more and waits for that start to end.
  std::optional<DWORD> startAgain() {
    LaunchOptions options;
    options.waitForMainWindow = false;
    std::unique_ptr<App> second = App::launch(options);
    if (!second) return std::nullopt;
    return second->waitForExit();
  }
  std::vector<standin_tray::NotifyRecord> iconsAdded() const {
    std::vector<standin_tray::NotifyRecord> added;
    for (const auto& record : tray.notifyRecords())
      if (record.operation == NIM_ADD) added.push_back(record);
    return added;
  }

  standin_tray::StandinTray tray{{}};
  std::unique_ptr<App> first;
  HWND window = nullptr;
};

TEST_F(SecondStart, EndsWithCodeZeroAndLeavesOneProcessWithOneIcon) {
  ASSERT_TRUE(waitUntil([&] { return iconsAdded().size() == 1; }));
  EXPECT_EQ(startAgain(), std::optional<DWORD>(0));
  settle(window);
  EXPECT_TRUE(first->running());
  EXPECT_EQ(mainWindowsOfAllProcesses(), 1);
  std::vector<standin_tray::NotifyRecord> added = iconsAdded();
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].window, window);
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(SecondStart, ShowsTheFirstWindowAgainWhenItWasHiddenToTheTray) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(window); }));
  EXPECT_EQ(startAgain(), std::optional<DWORD>(0));
  EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(window) != FALSE; }));
  EXPECT_TRUE(waitUntil([&] { return GetForegroundWindow() == window; }));
  EXPECT_EQ(first->mainWindow(), window);
  settle(window);
  saveScreenshot(L"second-start-shows-the-first");
}

TEST_F(SecondStart, RestoresTheFirstWindowWhenItWasMinimised) {
  PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(waitUntil([&] { return IsIconic(window) != FALSE; }));
  EXPECT_EQ(startAgain(), std::optional<DWORD>(0));
  EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(window) && !IsIconic(window); }));
  // Wine clears the minimised state a moment before it gives the window its
  // size back.
  RECT box{};
  waitUntil([&] {
    GetWindowRect(window, &box);
    return box.right - box.left == 1221;
  }, 5000);
  EXPECT_EQ(box.right - box.left, 1221);
  EXPECT_EQ(box.bottom - box.top, kWindowHeight);
}

TEST_F(SecondStart, RunsAsTheOnlyInstanceOnceTheFirstIsGone) {
  first->kill();
  std::unique_ptr<App> next = App::launch();
  ASSERT_NE(next, nullptr) << "a killed first instance must not keep later starts from running";
  EXPECT_TRUE(next->running());
  EXPECT_NE(next->mainWindow(), nullptr);
}

}  // namespace
}  // namespace quorvane::ui
