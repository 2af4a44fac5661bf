// The main window on a screen large enough for it, at the DPI the suite
// runs at: every figure of the layout times DPI / 96, within rounding.
#include <gtest/gtest.h>

#include <string_view>

#include "screen_checks.h"

namespace quorvane::ui {
namespace {

constexpr int kColumnWidths[] = {50, 200, 198, 120, 120, 120, 150, 120, 117};

class ScaledLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    parts = partsOf(runningApp().mainWindow());
    ASSERT_NE(parts.header, nullptr);
    ASSERT_NE(parts.panel, nullptr);
  }
  MainWindowParts parts;

  // The grid's width is the client area's, whatever the frame takes.
  void expectAtScaledFigures(HWND parent, const wchar_t* cls, int left, int top, int width, int height,
                             const char* caption) {
    SCOPED_TRACE(testing::Message() << "laid out at " << left << "," << top);
    HWND control = controlNear(parent, cls, scaled(left), scaled(top), kTolerance);
    ASSERT_NE(control, nullptr);
    RECT box = positionInParent(control);
    if (std::wstring_view(cls) == L"SysListView32")
      EXPECT_EQ(box.right - box.left, widthOf(clientRectOf(parent)));
    else
      EXPECT_NEAR(box.right - box.left, scaled(width), kTolerance);
    EXPECT_NEAR(box.bottom - box.top, scaled(height), kTolerance);
    EXPECT_EQ(text(control), fromLocal(caption));
  }
};

TEST_F(ScaledLayout, WindowTakesTheLayoutSizeTimesTheScaleAndEveryControlFollows) {
  RECT box = screenRectOf(parts.window);
  EXPECT_NEAR(widthOf(box), scaled(kWindowWidth), 1);
  EXPECT_NEAR(heightOf(box), scaled(kWindowHeight), 1);
  EXPECT_TRUE(contains(workAreaOf(parts.window), box));
  expectArrangedForItsSize(parts);
  saveScreenshot(L"main-window-at-" + dpiName());
}

TEST_F(ScaledLayout, EveryHeaderAndWindowControlStandsAtItsFigureTimesTheScale) {
  RECT header = positionInParent(parts.header);
  EXPECT_NEAR(header.left, scaled(-4), kTolerance);
  EXPECT_NEAR(header.top, scaled(1), kTolerance);
  EXPECT_NEAR(header.right - header.left, scaled(1300), kTolerance);
  EXPECT_NEAR(header.bottom - header.top, scaled(55), kTolerance);
  for (const Expected& e : kHeaderAndWindow)
    expectAtScaledFigures(parentOf(parts, e.parent), e.cls, e.left, e.top, e.width, e.height, e.caption);
}

TEST_F(ScaledLayout, RegionPanelAndItsControlsStandAtTheirFiguresTimesTheScale) {
  RECT panel = positionInParent(parts.panel);
  EXPECT_NEAR(panel.left, scaled(1221), kTolerance);
  EXPECT_NEAR(panel.top, scaled(84), kTolerance);
  EXPECT_NEAR(panel.right - panel.left, scaled(360), kTolerance);
  EXPECT_NEAR(panel.bottom - panel.top, scaled(558), kTolerance);
  for (const Province& p : kProvinces) expectAtScaledFigures(parts.panel, L"Button", p.left, p.top, p.width, 24, p.name);
  for (int top : kGroupBoxTops) expectAtScaledFigures(parts.panel, L"Button", 16, top, 20, 16, "");
  expectAtScaledFigures(parts.panel, L"Button", 230, 445, 96, 25, "\xBF\xAA\xCA\xBC\xCB\xD1\xCB\xF7");
  expectAtScaledFigures(parts.panel, L"Button", 333, 224, 22, 49, "");
}

TEST_F(ScaledLayout, RegionPanelSlidesBetweenItsPlacesTimesTheScale) {
  pressRegionLink(parts);
  EXPECT_EQ(positionInParent(parts.panel).right, widthOf(clientRectOf(parts.window))) << "meets the right edge";
  EXPECT_TRUE(inReach(controlNear(parts.panel, L"Button", scaled(230), scaled(445), kTolerance)));
  saveScreenshot(L"region-panel-at-" + dpiName());
  pressRegionLink(parts);
  EXPECT_NEAR(positionInParent(parts.panel).left, scaled(1221), kTolerance);
}

TEST_F(ScaledLayout, GridColumnsTakeTheirWidthsTimesTheScale) {
  RemoteGrid grid(parts.grid);
  ASSERT_EQ(grid.columnCount(), 9);
  for (int column = 0; column < 9; ++column)
    EXPECT_NEAR(grid.columnWidth(column), scaled(kColumnWidths[column]), 1) << "column " << column;
}

// The text of a 9-point face at this DPI, as the window should draw it.
TEXTMETRICW uiFontMetrics() {
  HFONT font = CreateFontW(-scaled(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"SimSun");
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  return metrics;
}

TEST_F(ScaledLayout, TextAndTickBoxesGrowWithTheScale) {
  // A drop-down list's items are as high as its font's characters.
  HWND credit = controlNear(parts.header, L"ComboBox", scaled(92), scaled(20), kTolerance);
  ASSERT_NE(credit, nullptr);
  EXPECT_NEAR(SendMessageW(credit, CB_GETITEMHEIGHT, 0, 0), uiFontMetrics().tmHeight, 1);
  // A grid row holds a tick box of 16 pixels at 96 DPI.
  EXPECT_GE(RemoteGrid(parts.grid).rowHeight(), scaled(16));
}

}  // namespace
}  // namespace quorvane::ui
