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
    case ControlKind::Button:
      return {WC_BUTTONW, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::Grid:
      // A thin border: with a sunken edge the nine columns would no longer
      // fit beside the scroll bar, and a horizontal bar would appear.
      return {WC_LISTVIEWW,
              kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS |
                  LVS_NOSORTHEADER,
              0};
    case ControlKind::Panel:
      return {kRegionPanelClass, kChild | WS_CLIPCHILDREN | WS_BORDER, WS_EX_CONTROLPARENT};
    case ControlKind::ImageButton:
      return {WC_BUTTONW, kChild | WS_TABSTOP | BS_OWNERDRAW, 0};
  }
  return {WC_STATICW, kChild, 0};
}

// A drop-down list's height at creation is that of its open list; the closed
// box then takes the layout's height through its selection-field height.
constexpr int kDropDownListHeight = 200;

// The closed box is its selection field plus a 3-pixel frame above and below.
constexpr int kComboFrame = 6;

void fitClosedHeight(HWND combo, int height) {
  if (height > kComboFrame)
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - kComboFrame);
}

}  // namespace

int controlId(Control c) { return kFirstControlId + indexOf(c); }

int controlIndexOfId(int id) {
  int index = id - kFirstControlId;
  return index >= 0 && index < kControlCount ? index : -1;
}

HWND createControl(const ControlLayout& layout, HWND parent, HINSTANCE instance, HFONT font) {
  WindowClassAndStyle kind = classAndStyleOf(layout.kind);
  const bool dropDown = layout.kind == ControlKind::DropDownList;
  HWND control = CreateWindowExW(
      kind.exStyle, kind.className, toWide(layout.caption).c_str(), kind.style, layout.left,
      layout.top, layout.width, dropDown ? layout.height + kDropDownListHeight : layout.height,
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(layout.name))), instance,
      nullptr);
  if (!control) return nullptr;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (dropDown) fitClosedHeight(control, layout.height);
  return control;
}

}  // namespace quorvane
