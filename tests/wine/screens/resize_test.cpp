// Resizing the main window through the system's own frame: its edges and
// corners, the status bar's size box, maximising. At every size the rule of
// screen_checks.h holds, and the window never gets smaller than keeps every
// control of the header and the bottom row in reach.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

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
    backToTheFirstPlace();
  }
  void backToTheFirstPlace() {
    SetWindowPos(parts.window, nullptr, firstPlace.left, firstPlace.top, widthOf(firstPlace), heightOf(firstPlace),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    waitUntil([&] {
      const RECT now = screenRectOf(parts.window);
      return EqualRect(&now, &firstPlace) && laidOutForItsSize();
    });
  }
  // Wine may pass a maximised window through its former size on the way,
  // and the program lays the window out after the system sized it: the test
  // waits for the layout to settle, the grid placed first, the status bar last.
  bool laidOutForItsSize() const {
    const RECT grid = positionInParent(parts.grid), client = clientRectOf(parts.window);
    const RECT bar = positionInParent(findControl(parts.window, L"msctls_statusbar32", L""));
    const int ownClientHeight = scaled(kWindowHeight) - frameOf(parts.window).cy;
    return std::abs(heightOf(grid) - (scaled(592) + heightOf(client) - ownClientHeight)) <= kTolerance &&
           widthOf(grid) == widthOf(client) && bar.bottom == client.bottom && widthOf(bar) == widthOf(client);
  }
  SIZE size() const {
    RECT box = screenRectOf(parts.window);
    return {widthOf(box), heightOf(box)};
  }
  static RECT firstPlace;
  MainWindowParts parts;
};
RECT Resizing::firstPlace{};

// What the system needs to size, snap and maximise the window by itself,
// and to offer its snap layouts over the maximise button: a sizing frame
// whose every edge and corner its hit test answers as such, and the real
// caption buttons.
TEST_F(Resizing, TheWindowHasTheSystemsSizingFrameAndCaptionButtons) {
  const LONG_PTR style = GetWindowLongPtrW(parts.window, GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  for (int hit : {HTLEFT, HTRIGHT, HTTOP, HTBOTTOM, HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT}) {
    const POINT at = pointOnFrame(parts.window, hit);
    EXPECT_EQ(SendMessageW(parts.window, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)), hit) << "at " << at.x << "," << at.y;
  }
  // Along the caption from the right edge: close, maximise, minimise, in that order.
  const RECT box = screenRectOf(parts.window);
  const int captionMiddle = box.top + frameOf(parts.window).cy / 2;
  std::vector<LRESULT> buttons;
  for (int x = box.right - 1; x > box.right - scaled(200); --x) {
    const LRESULT hit = SendMessageW(parts.window, WM_NCHITTEST, 0, MAKELPARAM(x, captionMiddle));
    if ((hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON) && (buttons.empty() || buttons.back() != hit))
      buttons.push_back(hit);
  }
  EXPECT_EQ(buttons, (std::vector<LRESULT>{HTCLOSE, HTMAXBUTTON, HTMINBUTTON}));
}

// Before any test resizes the window: without a window manager, Wine may
// apply a resize made shortly before (a test's return to the first size)
// after the maximised size, leaving the window zoomed at its former size;
// the program then lays itself out for that size, as it should.
TEST_F(Resizing, MaximisingFillsTheWorkAreaByTheSameRuleAndRestoringBringsBackTheFirstSize) {
  PostMessageW(parts.window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(waitUntil([&] { return IsZoomed(parts.window) && laidOutForItsSize(); }));
  RECT client = clientRectOf(parts.window);
  MapWindowPoints(parts.window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  const RECT area = workAreaOf(parts.window);
  EXPECT_TRUE(contains(area, client));
  EXPECT_EQ(client.right, area.right);
  EXPECT_EQ(client.bottom, area.bottom);
  expectArrangedForItsSize(parts);
  PostMessageW(parts.window, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsZoomed(parts.window) && laidOutForItsSize(); }));
  const RECT restored = screenRectOf(parts.window);
  EXPECT_TRUE(EqualRect(&firstPlace, &restored));
  expectArrangedForItsSize(parts);
}

// Inward, so that it works as well where the window fills a small screen,
// and a little: on 1280 x 720 at 120 DPI the first size is only 14 pixels
// taller than the smallest.
TEST_F(Resizing, EveryEdgeAndCornerResizesTheWindowFromItsSide) {
  const int d = scaled(6);
  struct Drag {
    int hit, dx, dy;
    RECT moved;  // each side's change, in the drag's direction
  };
  const Drag drags[] = {
      {HTLEFT, d, 0, {d, 0, 0, 0}},           {HTRIGHT, -d, 0, {0, 0, -d, 0}},
      {HTTOP, 0, d, {0, d, 0, 0}},            {HTBOTTOM, 0, -d, {0, 0, 0, -d}},
      {HTTOPLEFT, d, d, {d, d, 0, 0}},        {HTTOPRIGHT, -d, d, {0, d, -d, 0}},
      {HTBOTTOMLEFT, d, -d, {d, 0, 0, -d}},   {HTBOTTOMRIGHT, -d, -d, {0, 0, -d, -d}},
  };
  for (const Drag& drag : drags) {
    SCOPED_TRACE(testing::Message() << "hit test " << drag.hit);
    const RECT before = screenRectOf(parts.window);
    dragFrame(parts.window, drag.hit, drag.dx, drag.dy);
    const RECT after = screenRectOf(parts.window);
    EXPECT_EQ(after.left - before.left, drag.moved.left);
    EXPECT_EQ(after.top - before.top, drag.moved.top);
    EXPECT_EQ(after.right - before.right, drag.moved.right);
    EXPECT_EQ(after.bottom - before.bottom, drag.moved.bottom);
    backToTheFirstPlace();
  }
  dragFrame(parts.window, HTTOPLEFT, d, d);
  expectArrangedForItsSize(parts);
}

// From the smallest size, as a small screen leaves no room beyond the first;
// by the status bar's size box, which sizes the window as its corner does.
TEST_F(Resizing, GrowingTheWindowGivesTheGridTheDifference) {
  dragFrame(parts.window, HTBOTTOMRIGHT, -2000, -2000);
  const SIZE before = size();
  const RECT area = workAreaOf(parts.window);
  const int dx = (widthOf(area) - before.cx) / 2, dy = (heightOf(area) - before.cy) / 2;
  ASSERT_GT(dx, 0);
  ASSERT_GT(dy, 0);
  HWND bar = findControl(parts.window, L"msctls_statusbar32", L"");
  const RECT barBox = screenRectOf(bar);
  const POINT sizeBox{barBox.right - 3, barBox.bottom - 3};
  ASSERT_EQ(SendMessageW(bar, WM_NCHITTEST, 0, MAKELPARAM(sizeBox.x, sizeBox.y)), HTBOTTOMRIGHT);
  dragFrom(parts.window, sizeBox, dx, dy);
  EXPECT_EQ(size().cx, before.cx + dx);
  EXPECT_EQ(size().cy, before.cy + dy);
  expectArrangedForItsSize(parts);
}

TEST_F(Resizing, ShrinkingTheWindowSqueezesTheRowsAndKeepsThemInReach) {
  dragFrame(parts.window, HTTOPLEFT, scaled(180), scaled(150));
  expectArrangedForItsSize(parts);
  expectControlsInReach(parts);
}

TEST_F(Resizing, TheWindowGetsNoSmallerThanKeepsEveryControlInReach) {
  dragFrame(parts.window, HTBOTTOMRIGHT, -2000, -2000);
  const SIZE smallest = size();
  EXPECT_LT(smallest.cx, widthOf(firstPlace));
  EXPECT_LT(smallest.cy, heightOf(firstPlace));
  expectArrangedForItsSize(parts);
  expectControlsInReach(parts);
  EXPECT_GE(heightOf(positionInParent(parts.grid)), scaled(100)) << "a few rows of the grid stay";
  dragFrame(parts.window, HTBOTTOMRIGHT, -50, -50);
  EXPECT_EQ(size().cx, smallest.cx);
  EXPECT_EQ(size().cy, smallest.cy);
  saveScreenshot(L"smallest-main-window-at-" + dpiName());
}

// Where even the smallest size that keeps every control in reach is larger
// than the work area, the work area is the smallest size: a window the user
// could not make small enough would hang out of reach.
TEST_F(Resizing, TheWindowStaysInsideAWorkAreaSmallerThanItsMinimum) {
  const RECT area = workAreaOf(parts.window);
  EXPECT_TRUE(contains(area, screenRectOf(parts.window)));
  dragFrame(parts.window, HTBOTTOMRIGHT, -2000, -2000);
  EXPECT_LE(size().cx, widthOf(area));
  EXPECT_LE(size().cy, heightOf(area));
  EXPECT_TRUE(contains(area, screenRectOf(parts.window)));
  saveScreenshot(L"smallest-main-window-on-" + std::to_wstring(widthOf(area)) + L"x" +
                 std::to_wstring(heightOf(area)) + L"-at-" + dpiName());
}

TEST_F(Resizing, RegionPanelSlidesInToTheRightEdgeOfAResizedWindow) {
  dragFrame(parts.window, HTBOTTOMLEFT, scaled(100), -scaled(60));
  pressRegionLink(parts);
  const RECT panel = positionInParent(parts.panel);
  EXPECT_EQ(panel.right, widthOf(clientRectOf(parts.window))) << "as at the first size, at the client area's edge";
  EXPECT_NEAR(panel.right - panel.left, scaled(360), kTolerance);
  EXPECT_NEAR(panel.bottom - panel.top, scaled(558), kTolerance);
  for (HWND control : findControls(parts.panel, L"Button", L"")) EXPECT_TRUE(inReach(control));
  pressRegionLink(parts);
  expectArrangedForItsSize(parts);
}

}  // namespace
}  // namespace quorvane::ui
