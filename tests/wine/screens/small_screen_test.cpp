// The main window on a screen smaller than its size at the DPI (the suite
// runs on 1280 x 720 at 120 DPI and on 1280 x 640 at 96 DPI): it starts at
// the work area's size and every control stays where the user can reach it.
#include <gtest/gtest.h>

#include "screen_checks.h"

namespace quorvane::ui {
namespace {

constexpr const char* kBatchContact = "\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5";   // "批量联系"
constexpr const char* kBatchCaption = "\xC5\xFA\xC1\xBF\xCD\xFA\xCD\xFAID";  // "批量旺旺ID"

class SmallScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    parts = partsOf(runningApp().mainWindow());
    ASSERT_NE(parts.panel, nullptr);
  }
  MainWindowParts parts;
};

TEST_F(SmallScreen, WindowStartsInsideTheWorkAreaAtItsSize) {
  const RECT area = workAreaOf(parts.window), box = screenRectOf(parts.window);
  EXPECT_TRUE(contains(area, box));
  // The screen is too small for the layout's size: one side at least takes the work area's.
  EXPECT_TRUE(widthOf(box) == widthOf(area) || heightOf(box) == heightOf(area));
  EXPECT_LE(widthOf(box), scaled(kWindowWidth));
  EXPECT_LE(heightOf(box), scaled(kWindowHeight));
  saveScreenshot(L"main-window-on-" + std::to_wstring(widthOf(area)) + L"x" + std::to_wstring(heightOf(area)) +
                 L"-at-" + dpiName());
}

TEST_F(SmallScreen, ControlsFollowTheRuleForTheFittedSize) { expectArrangedForItsSize(parts); }

TEST_F(SmallScreen, EveryControlOfTheHeaderAndTheBottomRowIsInReach) { expectControlsInReach(parts); }

TEST_F(SmallScreen, ABottomRowButtonAnswersAClickWhereItIsShown) {
  HWND button = findControl(parts.window, L"Button", fromLocal(kBatchContact));
  ASSERT_TRUE(inReach(button));
  click(button);
  HWND batch = nullptr;
  ASSERT_TRUE(waitUntil([&] { return isVisible(batch = runningApp().topLevelWindow({}, fromLocal(kBatchCaption))); }));
  PostMessageW(batch, WM_CLOSE, 0, 0);
  EXPECT_TRUE(waitUntil([&] { return !IsWindow(batch); }));
}

TEST_F(SmallScreen, ShownRegionPanelShowsAllItsControlsAndLeavesTheBottomRowInReach) {
  pressRegionLink(parts);
  // As at the layout's size, where its right edge meets the client area's.
  EXPECT_EQ(positionInParent(parts.panel).right, widthOf(clientRectOf(parts.window)));
  for (HWND control : findControls(parts.panel, L"Button", L"")) EXPECT_TRUE(inReach(control));
  expectControlsInReach(parts, true);
  saveScreenshot(L"region-panel-on-" + std::to_wstring(widthOf(workAreaOf(parts.window))) + L"x" +
                 std::to_wstring(heightOf(workAreaOf(parts.window))) + L"-at-" + dpiName());
  pressRegionLink(parts);
  EXPECT_NEAR(positionInParent(parts.panel).left, widthOf(screenRectOf(parts.window)), kTolerance);
}

}  // namespace
}  // namespace quorvane::ui
