#include "app/window/control_factory.h"

#include <commctrl.h>

#include "app/window/window_text.h"
#include "app/window/window_messages.h"

namespace quorvane {

namespace {

struct WindowClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

WindowClassAndStyle classAndStyleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::GroupBox:
      return {WC_BUTTONW, kChild | BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case ControlKind::Label:
      return {WC_STATICW, kChild | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case ControlKind::DropDownList:
      return {WC_COMBOBOXW, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case ControlKind::Edit:
      return {WC_EDITW, kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::EditableList:
      return {WC_COMBOBOXW, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case ControlKind::Button:
      return {WC_BUTTONW, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::Grid:
      // A thin border: with a sunken edge the nine columns would no longer
      // fit beside the scroll bar, and a horizontal bar would appear.
      return {WC_LISTVIEWW,
              kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
              0};
    case ControlKind::Panel:
      return {kRegionPanelClass, kChild | WS_CLIPCHILDREN | WS_BORDER, WS_EX_CONTROLPARENT};
    case ControlKind::ImageButton:
      return {WC_BUTTONW, kChild | WS_TABSTOP | BS_OWNERDRAW, 0};
  }
  return {WC_STATICW, kChild, 0};
}

// A drop-down list's window height is that of its open list; the closed
// box takes the layout's height through its selection-field height.
constexpr int kDropDownListHeight = 200;

bool hasDropDownList(ControlKind kind) { return kind == ControlKind::DropDownList || kind == ControlKind::EditableList; }

int heightOf(HWND window) {
  RECT box{};
  GetWindowRect(window, &box);
  return box.bottom - box.top;
}

// The closed box is its selection field plus a frame above and below, 3
// pixels each on the systems measured; where the frame differs the first
// try shows by how much.
constexpr int kUsualComboFrame = 6;

void fitClosedHeight(HWND combo, int height) {
  int field = height - kUsualComboFrame;
  for (int attempt = 0; attempt < 2 && field > 0; ++attempt) {
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    const int off = heightOf(combo) - height;
    if (off == 0) return;
    field -= off;
  }
}

}  // namespace

int controlId(Control c) { return kFirstControlId + indexOf(c); }

int controlIndexOfId(int id) {
  int index = id - kFirstControlId;
  return index >= 0 && index < kControlCount ? index : -1;
}

HWND createControl(const ControlLayout& layout, const ControlBox& box, DpiScale scale, HWND parent,
                   HINSTANCE instance, HFONT font) {
  WindowClassAndStyle kind = classAndStyleOf(layout.kind);
  const bool dropDown = hasDropDownList(layout.kind);
  HWND control = CreateWindowExW(
      kind.exStyle, kind.className, toWide(layout.caption).c_str(), kind.style, box.left, box.top,
      box.width, dropDown ? box.height + scale(kDropDownListHeight) : box.height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(layout.name))), instance, nullptr);
  if (!control) return nullptr;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (dropDown) fitClosedHeight(control, box.height);
  return control;
}

namespace {

ControlBox boxInParent(HWND child) {
  RECT now{};
  GetWindowRect(child, &now);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&now), 2);
  return {now.left, now.top, now.right - now.left, now.bottom - now.top};
}

}  // namespace

void placeControl(HWND control, ControlKind kind, const ControlBox& box, DpiScale scale) {
  if (!hasDropDownList(kind)) return placeChild(control, box);
  if (!control || boxInParent(control) == box) return;
  SetWindowPos(control, nullptr, box.left, box.top, box.width, box.height + scale(kDropDownListHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
  fitClosedHeight(control, box.height);
}

void placeChild(HWND child, const ControlBox& box) {
  if (child && boxInParent(child) != box)
    SetWindowPos(child, nullptr, box.left, box.top, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quorvane
