// The header's 清空, and ticking grid rows with the space bar.
#include <gtest/gtest.h>

#include "ui_driver.h"

namespace quorvane::ui {
namespace {

const std::wstring kCountLabel0 = fromLocal("\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "0 \xB8\xF6");
std::wstring countLabel(int n) {
  return fromLocal("\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA") + std::to_wstring(n) + fromLocal(" \xB8\xF6");
}

class MainWindowInput : public ::testing::Test {
 protected:
  void SetUp() override {
    app = App::launch();
    ASSERT_NE(app, nullptr);
    window = app->mainWindow();
    header = controlAt(window, L"Button", -4, 1);
    grid = std::make_unique<RemoteGrid>(controlAt(window, L"SysListView32", 0, 53));
    filter = controlAt(window, L"Button", 549, 658);
    label = controlAt(window, L"Static", 676, 657);
  }
  std::unique_ptr<App> app;
  HWND window = nullptr, header = nullptr, filter = nullptr, label = nullptr;
  std::unique_ptr<RemoteGrid> grid;
};

TEST_F(MainWindowInput, ClearEmptiesTheKeywordBox) {
  HWND keyword = keywordBox(window);
  typeText(keyword, fromLocal("\xD2\xC2\xB7\xFE") + L" 2024");
  ASSERT_EQ(text(keyword), fromLocal("\xD2\xC2\xB7\xFE") + L" 2024");
  click(controlAt(header, L"Button", 1087, 19));
  EXPECT_EQ(text(keyword), L"");
}

TEST_F(MainWindowInput, EnterInTheKeywordBoxKeepsItsText) {
  HWND keyword = keywordBox(window);
  typeText(keyword, L"abc");
  pressKey(keyword, VK_RETURN);
  EXPECT_EQ(text(keyword), L"abc");
  EXPECT_TRUE(app->running());
}

HWND focusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

TEST_F(MainWindowInput, TabMovesFromTheKeywordBoxToTheSearchButton) {
  HWND keyword = keywordBox(window);
  click(keyword);
  ASSERT_TRUE(waitUntil([&] { return focusOf(window) == keyword; }));
  pressKey(keyword, VK_TAB);
  EXPECT_TRUE(waitUntil([&] { return focusOf(window) == controlAt(header, L"Button", 1017, 19); }));
}

TEST_F(MainWindowInput, SpaceWithoutSelectionTicksNothing) {
  grid->clearSelection();
  pressKey(grid->handle(), VK_SPACE);
  EXPECT_FALSE(grid->ticked(1));
  EXPECT_EQ(text(label), kCountLabel0);
}

TEST_F(MainWindowInput, SpaceWithTheFilterOffTicksEmptyRowsAndKeepsTheSelection) {
  click(filter);
  ASSERT_FALSE(isChecked(filter));
  grid->select(3, 5);
  pressKey(grid->handle(), VK_SPACE);
  for (int row : {3, 4, 5}) EXPECT_TRUE(grid->ticked(row)) << row;
  EXPECT_FALSE(grid->ticked(2));
  EXPECT_FALSE(grid->ticked(6));
  EXPECT_EQ(text(label), countLabel(3));
  EXPECT_EQ(grid->selectedRows(), (std::vector<int>{3, 4, 5}));
  saveScreenshot(L"grid-ticked");
}

TEST_F(MainWindowInput, SpaceOnAMixedRangeFlipsEveryRow) {
  click(filter);
  grid->select(3, 3);
  pressKey(grid->handle(), VK_SPACE);
  grid->select(5, 5);
  pressKey(grid->handle(), VK_SPACE);
  grid->select(3, 5);
  pressKey(grid->handle(), VK_SPACE);
  EXPECT_FALSE(grid->ticked(3));
  EXPECT_TRUE(grid->ticked(4));
  EXPECT_FALSE(grid->ticked(5));
  EXPECT_EQ(text(label), countLabel(1));
}

TEST_F(MainWindowInput, SpaceWithTheFilterOnLeavesEmptyRowsUnticked) {
  ASSERT_TRUE(isChecked(filter));
  grid->select(1, 4);
  pressKey(grid->handle(), VK_SPACE);
  for (int row = 1; row <= 4; ++row) EXPECT_FALSE(grid->ticked(row));
  EXPECT_EQ(text(label), kCountLabel0);
}

TEST_F(MainWindowInput, FilterOnStillUnticksTickedRows) {
  click(filter);
  grid->select(7, 8);
  pressKey(grid->handle(), VK_SPACE);
  click(filter);
  ASSERT_TRUE(isChecked(filter));
  pressKey(grid->handle(), VK_SPACE);
  EXPECT_FALSE(grid->ticked(7));
  EXPECT_FALSE(grid->ticked(8));
  EXPECT_EQ(text(label), kCountLabel0);
}

TEST_F(MainWindowInput, LastRowsOfTheGridCanBeTicked) {
  click(filter);
  grid->select(9999, 10000);
  pressKey(grid->handle(), VK_SPACE);
  EXPECT_TRUE(grid->ticked(9999));
  EXPECT_TRUE(grid->ticked(10000));
  EXPECT_EQ(text(label), countLabel(2));
}

}  // namespace
}  // namespace quorvane::ui
