// The main window's size and DPI: its fonts and icons at the window's DPI,
// its first size fitted to the screen, the controls laid out again whenever
// the size or the DPI changes, and the smallest size the user may give it.
//
// The frame is the system's sizing frame: the system resizes the window from
// every edge and corner, snaps it to the screen's edges and halves and
// maximises it, and the layout follows the client area whatever the frame
// around it takes.
#include "app/window/control_factory.h"
#include "app/window/main_window_arrangement.h"
#include "app/window/main_window_impl.h"
#include "app/window/window_dpi.h"
#include "app/window/window_placement.h"

namespace quorvane {

namespace {

HFONT createUiFont(DpiScale scale, bool underlined) {
  // 9-point SimSun, the face the layout's widths are measured for.
  return CreateFontW(-scale(12), 0, 0, 0, FW_NORMAL, FALSE, underlined, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     L"SimSun");
}

}  // namespace

void MainWindowImpl::createFonts() {
  font_ = createUiFont(scale_, false);
  underlinedFont_ = createUiFont(scale_, true);
}

void MainWindowImpl::renewFonts() {
  HFONT oldFont = font_, oldUnderlined = underlinedFont_;
  createFonts();
  for (const ControlLayout& layout : mainWindowLayout()) {
    HFONT font = layout.name == Control::选择地区 ? underlinedFont_ : font_;
    SendMessageW(control(layout.name), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  statusBar_.setFont(font_);
  for (HFONT font : {oldFont, oldUnderlined})
    if (font) DeleteObject(font);
}

// The layout's size at the window's DPI, or the work area's where the screen
// is smaller; the window moves only as far as it must to lie inside it.
void MainWindowImpl::fitToWorkArea() {
  RECT box{};
  GetWindowRect(window_, &box);
  const SIZE size = mainWindowSize(scale_);
  const RECT fitted = keptInside({box.left, box.top, box.left + size.cx, box.top + size.cy}, workAreaOf(window_));
  SetWindowPos(window_, nullptr, fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindowImpl::layOut() {
  if (!control(Control::图片框1)) return;  // still being created
  layoutPasses_.run([this] {
    RECT client{};
    GetClientRect(window_, &client);
    const MainWindowArrangement arrangement =
        arrangeMainWindow(scale_, sizeOf(client), frameSizeAtDpi(window_, scale_.dpi()));
    for (const ControlLayout& layout : mainWindowLayout())
      if (layout.name != Control::图片框1)
        placeControl(control(layout.name), layout.kind, arrangement.boxes[indexOf(layout.name)], scale_);
    panel_.place(arrangement.boxes[indexOf(Control::图片框1)], arrangement.panelShownLeft);
    const ControlBox& bar = arrangement.statusBar;
    statusBar_.place(bar.left, bar.top, bar.width, bar.height, scale_);
    progress_.labelMoved();
  });
}

void MainWindowImpl::renewForScale() {
  renewFonts();
  grid_.setScale(scale_);
  progress_.setScale(scale_);
  trayIcon_.renewImage();
}

SIZE MainWindowImpl::minimumSize() const {
  const SIZE frame = frameSizeAtDpi(window_, scale_.dpi());
  const SIZE client = mainWindowMinimumClientSize(scale_, frame);
  return {client.cx + frame.cx, client.cy + frame.cy};
}

void MainWindowImpl::onMinMaxInfo(MINMAXINFO& limits) const { setMinimumTrackSize(limits, window_, minimumSize()); }

}  // namespace quorvane
