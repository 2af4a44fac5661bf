// Every control where the user sees it: class, position in its parent and
// caption, exactly as laid out. Run under code page 936 and again under
// Wine's default code page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

#include "layout_figures.h"
#include "ui_driver.h"

namespace quorvane::ui {
namespace {

class Layout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    app = App::launch().release();
    ASSERT_NE(app, nullptr);
  }
  static void TearDownTestSuite() {
    delete app;
    app = nullptr;
  }
  static App* app;

  HWND window() const { return app->mainWindow(); }
  HWND header() const { return controlAt(window(), L"Button", -4, 1); }
  HWND panel() const { return findControl(window(), L"QuorvaneRegionPanel", L""); }
  HWND parentOf(Parent p) const {
    return p == Parent::Header ? header() : p == Parent::Panel ? panel() : window();
  }
  void expectControl(Parent parent, const wchar_t* cls, int left, int top, int width, int height,
                     const char* caption) {
    SCOPED_TRACE(testing::Message() << "at " << left << "," << top);
    HWND control = controlAt(parentOf(parent), cls, left, top);
    ASSERT_NE(control, nullptr);
    RECT box = positionInParent(control);
    RECT client{};
    GetClientRect(parentOf(parent), &client);
    // The grid spans the client area, whatever the system's frame around it takes.
    EXPECT_EQ(box.right - box.left, std::wstring_view(cls) == L"SysListView32" ? client.right : width);
    EXPECT_EQ(box.bottom - box.top, height);
    EXPECT_EQ(text(control), fromLocal(caption));
    EXPECT_TRUE(IsWindowEnabled(control));
  }
};
App* Layout::app = nullptr;

TEST_F(Layout, RunsUnderTheCodePageItWasStartedWith) {
  const char* codePage = std::getenv("QUORVANE_CODEPAGE");
  if (codePage && std::string(codePage) == "default")
    EXPECT_NE(GetACP(), 936u);
  else
    EXPECT_EQ(GetACP(), 936u);
}

TEST_F(Layout, MainWindowHasItsCaptionAndFinalSize) {
  ASSERT_NE(window(), nullptr);
  EXPECT_EQ(text(window()), L"QuorvaneV1.6");
  RECT box{};
  GetWindowRect(window(), &box);
  EXPECT_EQ(box.right - box.left, kWindowWidth);
  EXPECT_EQ(box.bottom - box.top, kWindowHeight);
  // Inside the system's sizing frame, as the system draws it here.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window(), GWL_STYLE));
  EXPECT_TRUE(style & WS_THICKFRAME);
  RECT frame{0, 0, 0, 0}, client{};
  AdjustWindowRectExForDpi(&frame, style, FALSE, static_cast<DWORD>(GetWindowLongPtrW(window(), GWL_EXSTYLE)),
                           GetDpiForWindow(window()));
  GetClientRect(window(), &client);
  EXPECT_EQ(client.right, kWindowWidth - (frame.right - frame.left));
  EXPECT_EQ(client.bottom, kWindowHeight - (frame.bottom - frame.top));
  saveScreenshot(GetACP() == 936 ? L"layout-936" : L"layout-default");
}

TEST_F(Layout, HeaderIsACaptionlessFrameAcrossTheTop) {
  HWND frame = header();
  ASSERT_NE(frame, nullptr);
  RECT box = positionInParent(frame);
  EXPECT_TRUE(sameRect(box, -4, 1, 1300, 55));
  EXPECT_EQ(text(frame), L"");
  EXPECT_EQ(GetWindowLongPtrW(frame, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
}

TEST_F(Layout, EveryHeaderAndWindowControlStandsInPlaceWithItsCaption) {
  for (const Expected& e : kHeaderAndWindow)
    expectControl(e.parent, e.cls, e.left, e.top, e.width, e.height, e.caption);
}

TEST_F(Layout, CreditListOffersSixRangesWithTheFirstSelected) {
  HWND list = controlAt(header(), L"ComboBox", 92, 20);
  ASSERT_NE(list, nullptr);
  const char* items[] = {"0\xD0\xC4", "0-1\xD0\xC4", "0-2\xD0\xC4", "0-3\xD0\xC4", "0-4\xD0\xC4", "0-5\xD0\xC4"};
  ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 6);
  for (int i = 0; i < 6; ++i) {
    wchar_t item[64] = {};
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(std::wstring(item), fromLocal(items[i]));
  }
  EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(GetWindowLongPtrW(list, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
}

TEST_F(Layout, AccountListStartsEmptyWithNothingSelected) {
  HWND list = controlAt(window(), L"ComboBox", 92, 658);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(Layout, FilterStartsTickedAndEveryOtherBoxUnticked) {
  EXPECT_TRUE(isChecked(controlAt(window(), L"Button", 549, 658)));
  for (HWND box : findControls(panel(), L"Button", L""))
    if ((GetWindowLongPtrW(box, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
      EXPECT_FALSE(isChecked(box));
    }
}

TEST_F(Layout, RegionPanelIsParkedJustOutsideTheRightEdge) {
  HWND p = panel();
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(sameRect(positionInParent(p), 1221, 84, 360, 558));
  EXPECT_EQ(GetParent(p), window());
}

TEST_F(Layout, RegionPanelHoldsEveryProvinceInItsRowAndColumn) {
  for (const Province& province : kProvinces)
    expectControl(Parent::Panel, L"Button", province.left, province.top, province.width, 24, province.name);
}

TEST_F(Layout, RegionPanelHoldsEightCaptionlessGroupBoxesAndItsButtons) {
  for (int top : kGroupBoxTops) expectControl(Parent::Panel, L"Button", 16, top, 20, 16, "");
  expectControl(Parent::Panel, L"Button", 230, 445, 96, 25, "\xBF\xAA\xCA\xBC\xCB\xD1\xCB\xF7");
  expectControl(Parent::Panel, L"Button", 333, 224, 22, 49, "");
  EXPECT_EQ(findControls(panel(), L"Button", L"").size(), 40u);
}

TEST_F(Layout, GridHasTenThousandResultRowsUnderNineTitles) {
  RemoteGrid grid(controlAt(window(), L"SysListView32", 0, 53));
  EXPECT_EQ(grid.rowCount(), 10001);
  ASSERT_EQ(grid.columnCount(), 9);
  const char* titles[] = {"\xD1\xA1\xD4\xF1", "\xB5\xEA\xC6\xCC\xC3\xFB\xB3\xC6", "\xCD\xFA\xCD\xFAID",
                          "\xB1\xA6\xB1\xB4\xCA\xFD\xC1\xBF", "\xD4\xC2\xCF\xFA\xC1\xBF",
                          "\xC2\xF4\xBC\xD2\xD0\xC5\xD3\xFE", "\xD6\xF7\xD3\xAA\xC0\xE0\xC4\xBF",
                          "\xD4\xDA\xCF\xDF\xD7\xB4\xCC\xAC", "\xC1\xAA\xCF\xB5\xD7\xB4\xCC\xAC"};
  const int widths[] = {50, 200, 198, 120, 120, 120, 150, 120, 117};
  for (int column = 0; column < 9; ++column) {
    EXPECT_EQ(grid.title(column), fromLocal(titles[column]));
    EXPECT_EQ(grid.columnWidth(column), widths[column]);
    if (column > 0) {
      EXPECT_TRUE(grid.titleCentred(column));
    }
  }
  for (int row : {1, 2, 5000, 10000}) {
    EXPECT_FALSE(grid.ticked(row));
    for (int column = 1; column < 9; ++column) EXPECT_EQ(grid.cell(row, column), L"");
  }
}

}  // namespace
}  // namespace quorvane::ui
