#include "app/window/control_forwarding.h"

#include <commctrl.h>

#include "app/window/window_messages.h"

namespace quorvane {

namespace {

LRESULT CALLBACK forwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR target) {
  if (isChildNotification(message))
    return SendMessageW(reinterpret_cast<HWND>(target), message, wParam, lParam);
  if (message == WM_ERASEBKGND) {  // a frame leaves its inside unpainted
    RECT inside{};
    GetClientRect(window, &inside);
    FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK enterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
  switch (message) {
    case WM_GETDLGCODE:  // keep Enter from the dialog manager's default button
      if (lParam && reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
        return DLGC_WANTALLKEYS | DefSubclassProc(window, message, wParam, lParam);
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        SendMessageW(GetAncestor(window, GA_ROOT), kEnterPressedMessage,
                     static_cast<WPARAM>(GetDlgCtrlID(window)), 0);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\r' || wParam == L'\n') return 0;  // no beep
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK linkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
  if (message == WM_LBUTTONDOWN || message == WM_MOUSEMOVE)
    SendMessageW(GetParent(window), kRegionLinkMessage, message, 0);
  if (message == WM_NCHITTEST) return HTCLIENT;  // a static is otherwise transparent to the mouse
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool isChildNotification(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return true;
  }
  return false;
}

void forwardNotifications(HWND container, HWND target) {
  SetWindowSubclass(container, forwardingProc, 0, reinterpret_cast<DWORD_PTR>(target));
}

LRESULT CALLBACK forwardingContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (isChildNotification(message)) return SendMessageW(GetParent(window), message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

void reportEnter(HWND edit) { SetWindowSubclass(edit, enterProc, 0, 0); }

void reportLinkMouse(HWND label) { SetWindowSubclass(label, linkProc, 0, 0); }

}  // namespace quorvane
