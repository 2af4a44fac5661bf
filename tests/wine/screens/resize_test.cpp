// Resizing the main window: by its size grip and by maximising. At its first
// size the window keeps the layout's fixed frame; at every size the rule of
// screen_checks.h holds, and it never gets smaller than keeps every control
// of the header and the bottom row in reach.
#include <gtest/gtest.h>

#include <cstdlib>

#include "screen_checks.h"

namespace quorvane::ui {
namespace {

class Resizing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { firstPlace = screenRectOf(runningApp().mainWindow()); }
  void SetUp() override {
    parts = partsOf(runningApp().mainWindow());
    ASSERT_NE(parts.panel, nullptr);
  }
  // Each test starts from the first size.
  void TearDown() override {
    if (IsZoomed(parts.window)) {
      PostMessageW(parts.window, WM_SYSCOMMAND, SC_RESTORE, 0);
      waitUntil([&] { return !IsZoomed(parts.window); });
    }
    SetWindowPos(parts.window, nullptr, firstPlace.left, firstPlace.top, widthOf(firstPlace), heightOf(firstPlace),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    waitUntil([&] {
      const RECT now = screenRectOf(parts.window);
      return EqualRect(&now, &firstPlace) && gridFitsTheWindow();
    });
  }
  // Without a window manager Wine may pass a maximised window through its
  // former size on the way: the test waits for the layout to settle.
  bool gridFitsTheWindow() const {
    const RECT grid = positionInParent(parts.grid), window = screenRectOf(parts.window);
    return std::abs(heightOf(grid) - (scaled(592) + heightOf(window) - scaled(kWindowHeight))) <= kTolerance &&
           std::abs(widthOf(grid) - (scaled(1215) + widthOf(window) - scaled(1221))) <= kTolerance;
  }
  SIZE size() const {
    RECT box = screenRectOf(parts.window);
    return {widthOf(box), heightOf(box)};
  }
  static RECT firstPlace;
  MainWindowParts parts;
};
RECT Resizing::firstPlace{};

TEST_F(Resizing, FirstSizeKeepsTheFixedFrameAndOffersAGripAndMaximising) {
  const LONG_PTR style = GetWindowLongPtrW(parts.window, GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "a sizing border would shrink the client area";
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  // The client area of the layout's fixed frame.
  RECT expected{0, 0, widthOf(firstPlace), heightOf(firstPlace)};
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, FALSE, 0);
  const RECT client = clientRectOf(parts.window);
  EXPECT_EQ(widthOf(client), widthOf(expected) - widthOf(frame));
  EXPECT_EQ(heightOf(client), heightOf(expected) - heightOf(frame));
  expectArrangedForItsSize(parts);
}

// Before any test resizes the window: without a window manager, Wine may
// apply a resize made shortly before (a test's return to the first size)
// after the maximised size, leaving the window zoomed at its former size;
// the program then lays itself out for that size, as it should.
TEST_F(Resizing, MaximisingFillsTheWorkAreaByTheSameRuleAndRestoringBringsBackTheFirstSize) {
  HWND grip = findControl(parts.window, L"QuorvaneSizeGrip", L"");
  PostMessageW(parts.window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(waitUntil([&] { return IsZoomed(parts.window) && !isVisible(grip) && gridFitsTheWindow(); }));
  RECT client = clientRectOf(parts.window);
  MapWindowPoints(parts.window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  const RECT area = workAreaOf(parts.window);
  EXPECT_TRUE(contains(area, client));
  EXPECT_EQ(client.right, area.right);
  EXPECT_EQ(client.bottom, area.bottom);
  expectArrangedForItsSize(parts);
  PostMessageW(parts.window, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsZoomed(parts.window) && isVisible(grip) && gridFitsTheWindow(); }));
  const RECT restored = screenRectOf(parts.window);
  EXPECT_TRUE(EqualRect(&firstPlace, &restored));
  expectArrangedForItsSize(parts);
}

// From the smallest size, as a small screen leaves no room beyond the first.
TEST_F(Resizing, GrowingTheWindowGivesTheGridTheDifference) {
  dragSizeGrip(parts.window, -2000, -2000);
  const SIZE before = size();
  const RECT area = workAreaOf(parts.window);
  const int dx = (widthOf(area) - before.cx) / 2, dy = (heightOf(area) - before.cy) / 2;
  ASSERT_GT(dx, 0);
  ASSERT_GT(dy, 0);
  dragSizeGrip(parts.window, dx, dy);
  EXPECT_EQ(size().cx, before.cx + dx);
  EXPECT_EQ(size().cy, before.cy + dy);
  expectArrangedForItsSize(parts);
}

// A quick drag may reach the grip as a press and a release with no move
// between: the window still ends where the button went up. From the smallest
// size, as a small screen leaves no room beyond the first. The cursor rests
// on the press, so a move the system sends of its own changes nothing.
TEST_F(Resizing, ADragWhoseMovesCameOnlyWithTheReleaseEndsWhereTheButtonWentUp) {
  HWND grip = findControl(parts.window, L"QuorvaneSizeGrip", L"");
  ASSERT_NE(grip, nullptr);
  dragSizeGrip(parts.window, -2000, -2000);
  const SIZE before = size();
  const RECT area = workAreaOf(parts.window);
  const int dx = (widthOf(area) - before.cx) / 2, dy = (heightOf(area) - before.cy) / 2;
  POINT press{2, 2};
  ClientToScreen(grip, &press);
  sendMouse(press);
  settle(parts.window);
  settle(parts.window);
  PostMessageW(grip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(grip, WM_LBUTTONUP, 0, MAKELPARAM(2 + dx, 2 + dy));
  ASSERT_TRUE(waitUntil([&] { return size().cx == before.cx + dx && size().cy == before.cy + dy; }))
      << size().cx << "x" << size().cy;
  settle(parts.window);
  expectArrangedForItsSize(parts);
}

TEST_F(Resizing, ShrinkingTheWindowSqueezesTheRowsAndKeepsThemInReach) {
  dragSizeGrip(parts.window, -scaled(180), -scaled(150));
  expectArrangedForItsSize(parts);
  expectControlsInReach(parts);
}

TEST_F(Resizing, TheWindowGetsNoSmallerThanKeepsEveryControlInReach) {
  dragSizeGrip(parts.window, -2000, -2000);
  const SIZE smallest = size();
  EXPECT_LT(smallest.cx, widthOf(firstPlace));
  EXPECT_LT(smallest.cy, heightOf(firstPlace));
  expectArrangedForItsSize(parts);
  expectControlsInReach(parts);
  EXPECT_GE(heightOf(positionInParent(parts.grid)), scaled(100)) << "a few rows of the grid stay";
  dragSizeGrip(parts.window, -50, -50);
  EXPECT_EQ(size().cx, smallest.cx);
  EXPECT_EQ(size().cy, smallest.cy);
  saveScreenshot(L"smallest-main-window-at-" + dpiName());
}

TEST_F(Resizing, RegionPanelSlidesInToTheRightEdgeOfAResizedWindow) {
  dragSizeGrip(parts.window, -scaled(100), -scaled(60));
  pressRegionLink(parts);
  const RECT panel = positionInParent(parts.panel);
  EXPECT_NEAR(panel.right, size().cx, kTolerance) << "as at the first size, at the window's width";
  EXPECT_NEAR(panel.right - panel.left, scaled(360), kTolerance);
  EXPECT_NEAR(panel.bottom - panel.top, scaled(558), kTolerance);
  for (HWND control : findControls(parts.panel, L"Button", L"")) EXPECT_TRUE(inReach(control));
  pressRegionLink(parts);
  expectArrangedForItsSize(parts);
}

}  // namespace
}  // namespace quorvane::ui
