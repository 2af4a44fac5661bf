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

static void moveTo(HWND panel, int left) {
  RECT box{};
  GetWindowRect(panel, &box);
  MapWindowPoints(HWND_DESKTOP, GetParent(panel), reinterpret_cast<POINT*>(&box), 2);
  // Above the grid it slides over, and without taking the focus.
  SetWindowPos(panel, HWND_TOP, left, box.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void RegionPanel::park() { moveTo(panel_, kHiddenLeft); }

void RegionPanel::slide(int step) {
  HWND window = GetParent(panel_);
  for (int i = 0; i < kSlideSteps; ++i) {
    moveTo(panel_, left() + step);
    // Paint each step, or the user would see only the end of the slide.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(kSlidePauseMs);
  }
}

void RegionPanel::toggle() { slide(left() == kShownLeft ? kSlideStep : -kSlideStep); }

void RegionPanel::slideOut() {
  if (left() == kShownLeft) slide(kSlideStep);
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

void RegionPanel::drawImageButton(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT box = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const COLORREF face = pressed ? RGB(196, 214, 236) : RGB(224, 234, 247);
  HBRUSH faceBrush = CreateSolidBrush(face);
  HPEN edgePen = CreatePen(PS_SOLID, 1, RGB(120, 146, 184));
  HGDIOBJ oldBrush = SelectObject(dc, faceBrush), oldPen = SelectObject(dc, edgePen);
  RoundRect(dc, box.left, box.top, box.right, box.bottom, 6, 6);

  // Two chevrons pointing right: the way the panel goes.
  HPEN arrowPen = CreatePen(PS_SOLID, 2, RGB(40, 80, 140));
  SelectObject(dc, arrowPen);
  const int offset = pressed ? 1 : 0;
  const int midY = (box.top + box.bottom) / 2 + offset;
  const int midX = (box.left + box.right) / 2 + offset;
  for (int dx : {-4, 2}) {
    POINT chevron[] = {{midX + dx - 2, midY - 5}, {midX + dx + 3, midY}, {midX + dx - 2, midY + 5}};
    Polyline(dc, chevron, 3);
  }
  if (item.itemState & ODS_FOCUS) {
    RECT focus = box;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(arrowPen);
  DeleteObject(edgePen);
  DeleteObject(faceBrush);
}

}  // namespace quorvane
