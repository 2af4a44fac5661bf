// The region panel slides in over the grid and out again; its group boxes
// tick their rows.
#include <gtest/gtest.h>

#include "ui_driver.h"

namespace quorvane::ui {
namespace {

class RegionPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    app = App::launch();
    ASSERT_NE(app, nullptr);
    panel = findControl(app->mainWindow(), L"QuorvaneRegionPanel", L"");
    link = controlAt(app->mainWindow(), L"Static", 1119, 659);
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(link, nullptr);
  }
  int left() const { return positionInParent(panel).left; }
  // Shown, the panel meets the client area's right edge.
  int shownLeft() const {
    RECT client{};
    GetClientRect(app->mainWindow(), &client);
    return client.right - 360;
  }
  HWND province(const char* name) const { return findControl(panel, L"Button", fromLocal(name)); }
  HWND groupBox(int top) const { return controlAt(panel, L"Button", 16, top); }
  void pressLink() {
    PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    settle(link);
  }
  std::unique_ptr<App> app;
  HWND panel = nullptr, link = nullptr;
};

constexpr const char* kInnerMongolia = "\xC4\xDA\xC3\xC9\xB9\xC5";
constexpr const char* kHeilongjiang = "\xBA\xDA\xC1\xFA\xBD\xAD";
constexpr const char* kRow1[] = {"\xB0\xB2\xBB\xD5", "\xB8\xA3\xBD\xA8", "\xB8\xCA\xCB\xE0", "\xB9\xE3\xB6\xAB"};
constexpr const char* kRow5[] = {"\xC7\xE0\xBA\xA3", "\xC9\xBD\xB6\xAB", "\xC9\xBD\xCE\xF7", "\xC9\xC2\xCE\xF7"};

TEST_F(RegionPanel, PressingTheLinkSlidesItInAndAgainOut) {
  EXPECT_EQ(left(), 1221);
  pressLink();
  EXPECT_EQ(left(), shownLeft());
  saveScreenshot(L"region-panel-shown");
  pressLink();
  EXPECT_EQ(left(), 1221);
}

TEST_F(RegionPanel, ImageButtonSlidesItOutAndDoesNothingWhenHidden) {
  HWND button = controlAt(panel, L"Button", 333, 224);
  click(button);
  EXPECT_EQ(left(), 1221);
  pressLink();
  ASSERT_EQ(left(), shownLeft());
  click(button);
  EXPECT_EQ(left(), 1221);
}

TEST_F(RegionPanel, ShownPanelLiesAboveTheGrid) {
  pressLink();
  HWND grid = controlAt(app->mainWindow(), L"SysListView32", 0, 53);
  POINT inside{900, 300};
  ClientToScreen(app->mainWindow(), &inside);
  HWND hit = WindowFromPoint(inside);
  EXPECT_TRUE(hit == panel || IsChild(panel, hit));
  EXPECT_NE(hit, grid);
}

TEST_F(RegionPanel, LinkTurnsRedUnderTheMouseAndBlackOverTheWindow) {
  auto linkColour = [&] {
    RECT box{};
    GetWindowRect(link, &box);
    HDC screen = GetDC(nullptr);
    // The darkest pixel of the underline row tells the caption's colour.
    COLORREF found = CLR_INVALID;
    for (int y = box.top; y < box.bottom && found == CLR_INVALID; ++y)
      for (int x = box.left; x < box.right; ++x) {
        COLORREF c = GetPixel(screen, x, y);
        if (c == RGB(255, 0, 0) || c == RGB(0, 0, 0)) {
          found = c;
          break;
        }
      }
    ReleaseDC(nullptr, screen);
    return found;
  };
  mouseMove(link);
  ASSERT_TRUE(waitUntil([&] { return linkColour() == RGB(255, 0, 0); }));
  mouseMove(app->mainWindow(), 600, 690);
  EXPECT_TRUE(waitUntil([&] { return linkColour() == RGB(0, 0, 0); }));
}

TEST_F(RegionPanel, BottomGroupBoxTicksOnlyItsTwoProvinces) {
  click(groupBox(450));
  EXPECT_TRUE(isChecked(groupBox(450)));
  EXPECT_TRUE(isChecked(province(kInnerMongolia)));
  EXPECT_TRUE(isChecked(province(kHeilongjiang)));
  int ticked = 0;
  for (HWND box : findControls(panel, L"Button", L"")) ticked += isChecked(box);
  EXPECT_EQ(ticked, 3);
}

TEST_F(RegionPanel, FifthRowBelongsToTheEighthGroupBox) {
  click(groupBox(293));
  for (const char* name : kRow5) EXPECT_TRUE(isChecked(province(name))) << name;
}

TEST_F(RegionPanel, UntickingAGroupUnticksProvincesTickedOneByOne) {
  click(province(kRow1[1]));
  ASSERT_TRUE(isChecked(province(kRow1[1])));
  click(groupBox(85));
  for (const char* name : kRow1) EXPECT_TRUE(isChecked(province(name)));
  click(province(kRow1[2]));  // a single province leaves the group box alone
  EXPECT_TRUE(isChecked(groupBox(85)));
  click(groupBox(85));
  for (const char* name : kRow1) EXPECT_FALSE(isChecked(province(name)));
}

}  // namespace
}  // namespace quorvane::ui
