// Every control where the user sees it: class, position in its parent and
// caption, exactly as laid out. Run under code page 936 and again under
// Wine's default code page.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ui_driver.h"

namespace quorvane::ui {
namespace {

enum class Parent { Window, Header, Panel };

struct Expected {
  Parent parent;
  const wchar_t* cls;
  int left, top, width, height;
  const char* caption;  // GBK
};

constexpr Expected kHeaderAndWindow[] = {
    {Parent::Header, L"Static", 30, 18, 59, 26, "\xD1\xA1\xD4\xF1\xB5\xC8\xBC\xB6\xA3\xBA"},
    {Parent::Header, L"ComboBox", 92, 20, 112, 20, "0\xD0\xC4"},
    {Parent::Header, L"Static", 238, 17, 44, 26, "\xCD\xFA\xCD\xFAID\xA3\xBA"},
    {Parent::Header, L"Edit", 288, 19, 196, 24, ""},
    {Parent::Header, L"Button", 498, 19, 63, 24, "\xBD\xF8\xC8\xEB\xB5\xEA\xC6\xCC"},
    {Parent::Window, L"Static", 597, 20, 48, 24, "\xB9\xD8\xBC\xFC\xB4\xCA\xA3\xBA"},
    {Parent::Header, L"Edit", 650, 19, 344, 25, ""},
    {Parent::Header, L"Button", 1017, 19, 63, 25, "\xCB\xD1\xCB\xF7"},
    {Parent::Header, L"Button", 1087, 19, 63, 25, "\xC7\xE5\xBF\xD5"},
    {Parent::Window, L"SysListView32", 0, 53, 1215, 592, ""},
    {Parent::Window, L"Static", 30, 655, 59, 26, "\xC1\xAA\xCF\xB5\xCD\xFA\xCD\xFA\xA3\xBA"},
    {Parent::Window, L"ComboBox", 92, 658, 168, 22, ""},
    {Parent::Window, L"Button", 273, 657, 63, 25, "\xCB\xA2\xD0\xC2"},
    {Parent::Window, L"Button", 350, 657, 63, 25, "\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0"},
    {Parent::Window, L"Static", 444, 660, 88, 18, "\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "0\xCC\xF5"},
    {Parent::Window, L"Button", 549, 658, 105, 24, "\xD1\xA1\xD6\xD0\xCA\xB1\xD7\xD4\xB6\xAF\xB9\xFD\xC2\xCB"},
    {Parent::Window, L"Static", 676, 657, 112, 24, "\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "0 \xB8\xF6"},
    {Parent::Window, L"Button", 794, 657, 63, 25, "\xCD\xA3\xD6\xB9\xCB\xD1\xCB\xF7"},
    {Parent::Window, L"Button", 877, 657, 63, 25, "\xC9\xBE\xB3\xFD\xBB\xBA\xB4\xE6"},
    {Parent::Window, L"Button", 960, 657, 63, 25, "\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5"},
    {Parent::Window, L"Static", 1119, 659, 49, 18, "\xD1\xA1\xD4\xF1\xB5\xD8\xC7\xF8"},
};

struct Province {
  const char* name;
  int left, top, width;
};

constexpr Province kProvinces[] = {
    {"\xB0\xB2\xBB\xD5", 54, 81, 48},   {"\xB8\xA3\xBD\xA8", 128, 81, 48},
    {"\xB8\xCA\xCB\xE0", 202, 81, 48},  {"\xB9\xE3\xB6\xAB", 278, 81, 48},
    {"\xB9\xE3\xCE\xF7", 54, 133, 48},  {"\xB9\xF3\xD6\xDD", 128, 133, 48},
    {"\xBA\xA3\xC4\xCF", 202, 133, 48}, {"\xBA\xD3\xB1\xB1", 278, 133, 48},
    {"\xBA\xD3\xC4\xCF", 54, 185, 48},  {"\xBA\xFE\xB1\xB1", 128, 185, 48},
    {"\xBA\xFE\xC4\xCF", 202, 185, 48}, {"\xBD\xAD\xCB\xD5", 278, 185, 48},
    {"\xBD\xAD\xCE\xF7", 54, 237, 48},  {"\xBC\xAA\xC1\xD6", 128, 237, 48},
    {"\xC1\xC9\xC4\xFE", 202, 237, 48}, {"\xC4\xFE\xCF\xC4", 278, 237, 48},
    {"\xC7\xE0\xBA\xA3", 54, 289, 48},  {"\xC9\xBD\xB6\xAB", 128, 289, 48},
    {"\xC9\xBD\xCE\xF7", 202, 289, 48}, {"\xC9\xC2\xCE\xF7", 278, 289, 48},
    {"\xD4\xC6\xC4\xCF", 54, 341, 48},  {"\xCB\xC4\xB4\xA8", 128, 341, 48},
    {"\xCE\xF7\xB2\xD8", 202, 341, 48}, {"\xD0\xC2\xBD\xAE", 278, 341, 48},
    {"\xD5\xE3\xBD\xAD", 54, 393, 48},  {"\xB0\xC4\xC3\xC5", 128, 393, 48},
    {"\xCF\xE3\xB8\xDB", 202, 393, 48}, {"\xCC\xA8\xCD\xE5", 278, 393, 48},
    {"\xC4\xDA\xC3\xC9\xB9\xC5", 54, 446, 66}, {"\xBA\xDA\xC1\xFA\xBD\xAD", 128, 446, 56},
};

constexpr int kGroupBoxTops[] = {85, 137, 189, 241, 293, 345, 397, 450};

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
    EXPECT_EQ(box.right - box.left, width);
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
  EXPECT_EQ(box.right - box.left, 1221);
  EXPECT_EQ(box.bottom - box.top, 721);
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
