#include "app/window/region_panel.h"

#include "app/window/control_factory.h"
#include "app/window/control_forwarding.h"
#include "app/window/main_window_layout.h"

namespace quorvane {

void RegionPanel::registerWindowClass(HINSTANCE instance) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof(cls);
  cls.lpfnWndProc = forwardingContainerProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = kRegionPanelClass;
  RegisterClassExW(&cls);
}

void RegionPanel::attach(HWND panel, ControlLookup lookup) {
  panel_ = panel;
  lookup_ = std::move(lookup);
}

int RegionPanel::left() const {
  RECT box{};
  GetWindowRect(panel_, &box);
  MapWindowPoints(HWND_DESKTOP, GetParent(panel_), reinterpret_cast<POINT*>(&box), 2);
  return box.left;
}

void RegionPanel::place(const ControlBox& hidden, int shownLeft) {
  const bool wasShown = shownLeft_ != hiddenLeft_ && shown();
  shownLeft_ = shownLeft;
  hiddenLeft_ = hidden.left;
  SetWindowPos(panel_, nullptr, wasShown ? shownLeft_ : hiddenLeft_, hidden.top, hidden.width, hidden.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The z-order stays as the window arranged it: above the grid it slides
// over, below the bottom row.
void RegionPanel::moveTo(int left) {
  RECT box{};
  GetWindowRect(panel_, &box);
  MapWindowPoints(HWND_DESKTOP, GetParent(panel_), reinterpret_cast<POINT*>(&box), 2);
  SetWindowPos(panel_, nullptr, left, box.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RegionPanel::park() {
  moveTo(hiddenLeft_);
  ShowWindow(panel_, SW_HIDE);
}

// Each step takes the panel a twelfth of the way, rounded, so the slide ends
// exactly where it should at any DPI and any frame.
void RegionPanel::slideTo(int target) {
  HWND window = GetParent(panel_);
  const int start = left();
  for (int step = 1; step <= kSlideSteps; ++step) {
    moveTo(start + MulDiv(target - start, step, kSlideSteps));
    // Paint each step, or the user would see only the end of the slide.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(kSlidePauseMs);
  }
}

void RegionPanel::toggle() {
  if (shown())
    slideAway();
  else
    slideIn();
}

void RegionPanel::slideOut() {
  if (shown()) slideAway();
}

void RegionPanel::slideIn() {
  HWND focus = GetFocus();
  focusBefore_ = focus && !IsChild(panel_, focus) ? focus : nullptr;
  ShowWindow(panel_, SW_SHOWNA);
  slideTo(shownLeft_);
  SetFocus(lookup_(Control::安徽));
}

void RegionPanel::slideAway() {
  const bool hadFocus = IsChild(panel_, GetFocus());
  slideTo(hiddenLeft_);
  ShowWindow(panel_, SW_HIDE);
  if (!hadFocus) return;
  const bool backThere = focusBefore_ && IsWindow(focusBefore_) && IsWindowEnabled(focusBefore_);
  SetFocus(backThere ? focusBefore_ : lookup_(Control::关键词输入框));
}

bool RegionPanel::isGroupBox(Control c) {
  for (const ProvinceGroup& group : provinceGroups())
    if (group.groupBox == c) return true;
  return false;
}

void RegionPanel::applyProvinceGroup(Control groupBox) {
  for (const ProvinceGroup& group : provinceGroups()) {
    if (group.groupBox != groupBox) continue;
    WPARAM state = SendMessageW(lookup_(groupBox), BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_CHECKED
                                                                                     : BST_UNCHECKED;
    for (Control province : group.provinces) SendMessageW(lookup_(province), BM_SETCHECK, state, 0);
  }
}

void RegionPanel::drawImageButton(const DRAWITEMSTRUCT& item, DpiScale scale) {
  HDC dc = item.hDC;
  RECT box = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const COLORREF face = pressed ? RGB(196, 214, 236) : RGB(224, 234, 247);
  HBRUSH faceBrush = CreateSolidBrush(face);
  HPEN edgePen = CreatePen(PS_SOLID, scale(1), RGB(120, 146, 184));
  HGDIOBJ oldBrush = SelectObject(dc, faceBrush), oldPen = SelectObject(dc, edgePen);
  RoundRect(dc, box.left, box.top, box.right, box.bottom, scale(6), scale(6));

  // Two chevrons pointing right: the way the panel goes.
  HPEN arrowPen = CreatePen(PS_SOLID, scale(2), RGB(40, 80, 140));
  SelectObject(dc, arrowPen);
  const int offset = pressed ? scale(1) : 0;
  const int midY = (box.top + box.bottom) / 2 + offset;
  const int midX = (box.left + box.right) / 2 + offset;
  for (int dx : {scale(-4), scale(2)}) {
    POINT chevron[] = {{midX + dx - scale(2), midY - scale(5)},
                       {midX + dx + scale(3), midY},
                       {midX + dx - scale(2), midY + scale(5)}};
    Polyline(dc, chevron, 3);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = box;
    InflateRect(&focus, -scale(3), -scale(3));
    DrawFocusRect(dc, &focus);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(arrowPen);
  DeleteObject(edgePen);
  DeleteObject(faceBrush);
}

}  // namespace quorvane
