// The main window moved to a monitor of another DPI. Wine never moves a
// window between monitors of different DPIs, so the test hands the window
// the message Windows sends then, with the rectangle Windows suggests: the
// layout's client area at the new DPI inside the frame.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/window/main_window_impl.h"
#include "ui_driver.h"

namespace quorvane {
namespace {

class DpiChange : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    MainWindowImpl::registerWindowClass(GetModuleHandleW(nullptr));  // once for the process; again is harmless
  }
  void SetUp() override {
    window = MainWindowImpl::create(GetModuleHandleW(nullptr));
    ASSERT_NE(window, nullptr);
    GetWindowRect(window->handle(), &first);
  }
  // Windows puts the client area inside the frame of the new DPI; Wine keeps
  // the frame of the DPI it started at, so the suggestion puts the layout's
  // client area at the new DPI (its outer size less that DPI's frame) inside
  // the frame the window has.
  RECT suggestionFor(int dpi) const {
    HWND handle = window->handle();
    RECT newFrame{0, 0, 0, 0}, outer{}, client{};
    AdjustWindowRectExForDpi(&newFrame, static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_EXSTYLE)), static_cast<UINT>(dpi));
    GetWindowRect(handle, &outer);
    GetClientRect(handle, &client);
    const int width = MulDiv(1221, dpi, 96) - (newFrame.right - newFrame.left) + (outer.right - outer.left) - client.right;
    const int height =
        MulDiv(721 + 22, dpi, 96) - (newFrame.bottom - newFrame.top) + (outer.bottom - outer.top) - client.bottom;
    return {first.left, first.top, first.left + width, first.top + height};
  }
  void moveToDpi(int dpi) {
    RECT suggested = suggestionFor(dpi);
    SendMessageW(window->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  }
  int clientWidth() const {
    RECT client{};
    GetClientRect(window->handle(), &client);
    return client.right;
  }
  RECT place(Control c) const { return ui::positionInParent(window->control(c)); }
  int fontHeight(Control c) const {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window->control(c), WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfHeight;
  }
  int iconWidth(WPARAM which) const {
    HICON icon = reinterpret_cast<HICON>(SendMessageW(window->handle(), WM_GETICON, which, 0));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
  }
  int tickImageSize() const {
    int width = 0, height = 0;
    ImageList_GetIconSize(ListView_GetImageList(window->control(Control::高级表格1), LVSIL_SMALL), &width, &height);
    return width;
  }
  void expectAt96Dpi() {
    EXPECT_TRUE(ui::sameRect(place(Control::批量联系), 960, 657, 63, 25));
    EXPECT_TRUE(ui::sameRect(place(Control::关键词输入框), 650, 19, 344, 25));
    EXPECT_TRUE(ui::sameRect(place(Control::高级表格1), 0, 53, clientWidth(), 592));
    EXPECT_EQ(fontHeight(Control::搜索), -12);
    EXPECT_EQ(ListView_GetColumnWidth(window->control(Control::高级表格1), 1), 200);
    EXPECT_EQ(tickImageSize(), 16);
    EXPECT_EQ(iconWidth(ICON_SMALL), 16);
    EXPECT_EQ(iconWidth(ICON_BIG), 32);
    EXPECT_EQ(window->searchProgressTooltipWidth(), 420);
  }
  std::unique_ptr<MainWindowImpl> window;
  RECT first{};
};

TEST_F(DpiChange, TheWindowTakesTheNewDpiForItsLayoutFontsImagesAndIconsAndComesBack) {
  expectAt96Dpi();
  const RECT suggested = suggestionFor(120);
  moveToDpi(120);
  RECT box{};
  GetWindowRect(window->handle(), &box);
  EXPECT_TRUE(EqualRect(&box, &suggested));
  EXPECT_TRUE(ui::sameRect(place(Control::批量联系), 1200, 821, 79, 31));
  EXPECT_TRUE(ui::sameRect(place(Control::关键词输入框), 813, 24, 430, 31));
  EXPECT_TRUE(ui::sameRect(place(Control::高级表格1), 0, 66, clientWidth(), 740));
  EXPECT_EQ(place(Control::图片框1).left, 1526) << "hidden just outside the window";
  EXPECT_EQ(fontHeight(Control::搜索), -15);
  EXPECT_EQ(fontHeight(Control::选择地区), -15);
  EXPECT_EQ(ListView_GetColumnWidth(window->control(Control::高级表格1), 1), 250);
  EXPECT_EQ(ListView_GetColumnWidth(window->control(Control::高级表格1), 6), 188);
  EXPECT_EQ(tickImageSize(), 20);
  EXPECT_EQ(iconWidth(ICON_SMALL), 20);
  EXPECT_EQ(iconWidth(ICON_BIG), 40);
  EXPECT_EQ(window->searchProgressTooltipWidth(), 525) << "the search tooltip wraps at a width of the new DPI";
  moveToDpi(96);
  expectAt96Dpi();
}

}  // namespace
}  // namespace quorvane
