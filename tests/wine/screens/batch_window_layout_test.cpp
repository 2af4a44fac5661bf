// The batch-id window "批量旺旺ID" at the DPI and on the screen the suite
// runs on: its figures times DPI / 96 where it fits, inside the work area,
// and resizable through the system's frame by the same rule as the main
// window: the list of ids spans the client area and takes the difference,
// the row of buttons keeps its distance to the bottom.
#include <gtest/gtest.h>

#include "screen_checks.h"

namespace quorvane::ui {
namespace {

constexpr const char* kBatchContact = "\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5";   // "批量联系"
constexpr const char* kBatchCaption = "\xC5\xFA\xC1\xBF\xCD\xFA\xCD\xFAID";  // "批量旺旺ID"
constexpr int kLeft = 50, kTop = 50, kWidth = 392, kHeight = 427;

struct Figure {
  const wchar_t* cls;
  int left, top, width, height;
  const char* caption;
};
constexpr Figure kList = {L"Edit", 0, 0, 387, 352, ""};
constexpr Figure kRow[] = {
    {L"Button", 12, 361, 97, 29, "\xC1\xAA\xCF\xB5"},   // "联系"
    {L"Button", 139, 361, 97, 29, "\xC7\xE5\xB3\xFD"},  // "清除"
    {L"Button", 256, 368, 120, 16, "\xD7\xD4\xB6\xAF\xB9\xD8\xB1\xD5\xCC\xED\xBC\xD3\xBA\xC3\xD3\xD1"},
};

// The window opens once for the suite: closing one takes seconds under Wine.
class BatchWindowLayout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    click(findControl(runningApp().mainWindow(), L"Button", fromLocal(kBatchContact)));
    waitUntil([&] { return isVisible(batch = runningApp().topLevelWindow({}, fromLocal(kBatchCaption))); });
    settle(batch);
  }
  static void TearDownTestSuite() {
    PostMessageW(batch, WM_CLOSE, 0, 0);
    waitUntil([&] { return !IsWindow(batch); });
  }
  void SetUp() override { ASSERT_TRUE(isVisible(batch)); }
  static HWND control(const Figure& f) { return findControl(batch, f.cls, fromLocal(f.caption)); }

  // The list takes the difference from the client area the layout's outer
  // size leaves inside the frame; the row keeps its distance to the bottom,
  // inside the window.
  void expectArrangedForItsSize() {
    const RECT client = clientRectOf(batch);
    const int taller = heightOf(client) - (scaled(kHeight) - frameOf(batch).cy);
    const RECT list = positionInParent(control(kList));
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.top, 0);
    EXPECT_EQ(widthOf(list), widthOf(client));
    EXPECT_NEAR(heightOf(list), scaled(kList.height) + taller, kTolerance);
    for (const Figure& f : kRow) {
      const RECT box = positionInParent(control(f));
      EXPECT_NEAR(box.left, scaled(f.left), kTolerance);
      EXPECT_NEAR(box.top, scaled(f.top) + taller, kTolerance);
      EXPECT_NEAR(widthOf(box), scaled(f.width), kTolerance);
      EXPECT_NEAR(heightOf(box), scaled(f.height), kTolerance);
      EXPECT_GE(box.top, list.bottom);
      EXPECT_TRUE(contains(client, box));
      EXPECT_TRUE(inReach(control(f)));
    }
  }
  static HWND batch;
};
HWND BatchWindowLayout::batch = nullptr;

TEST_F(BatchWindowLayout, OpensAtItsFiguresTimesTheScaleInsideTheWorkArea) {
  const RECT box = screenRectOf(batch), area = workAreaOf(batch);
  EXPECT_TRUE(contains(area, box));
  EXPECT_NEAR(widthOf(box), std::min(scaled(kWidth), widthOf(area)), 1);
  EXPECT_NEAR(heightOf(box), std::min(scaled(kHeight), heightOf(area)), 1);
  EXPECT_NEAR(box.left, scaled(kLeft), 1);
  EXPECT_NEAR(box.top, scaled(kTop), 1);
  expectArrangedForItsSize();
  saveScreenshot(L"batch-window-at-" + dpiName());
}

TEST_F(BatchWindowLayout, GrowsAndShrinksThroughItsFrameByTheSameRuleDownToAFewLines) {
  EXPECT_TRUE(GetWindowLongPtrW(batch, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongPtrW(batch, GWL_STYLE) & WS_MAXIMIZEBOX);
  dragFrame(batch, HTBOTTOMRIGHT, scaled(150), scaled(100));
  EXPECT_NEAR(widthOf(screenRectOf(batch)), scaled(kWidth) + scaled(150), 1);
  expectArrangedForItsSize();
  dragFrame(batch, HTBOTTOMRIGHT, -2000, -2000);
  EXPECT_NEAR(widthOf(screenRectOf(batch)), scaled(kWidth), 1) << "the row of buttons needs the whole width";
  EXPECT_LT(heightOf(screenRectOf(batch)), scaled(kHeight));
  EXPECT_GE(heightOf(positionInParent(control(kList))), scaled(100) - kTolerance);
  expectArrangedForItsSize();
}

}  // namespace
}  // namespace quorvane::ui
