#include <windows.h>

#include <cwchar>
#include <string>

#include "platform/im_client_windows.h"
#include "text/wide_text.h"

namespace quorvane::platform {
namespace {

// Messages to another process's windows: a client that hangs must not hang
// the timer that polls it.
constexpr UINT kSendTimeoutMs = 2000;
// A list box item longer than this is not an account name.
constexpr LRESULT kLongestItem = 32767;

HWND hwnd(WindowId id) { return reinterpret_cast<HWND>(id); }
WindowId id(HWND window) { return reinterpret_cast<WindowId>(window); }

LRESULT sendA(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return 0;
  return static_cast<LRESULT>(result);
}

LRESULT sendW(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return 0;
  return static_cast<LRESULT>(result);
}

// An item's text from a list box that may belong to another process. The
// text is asked for in UTF-16, sized by the wide length: the system
// marshals wide text across processes reliably, narrow text not everywhere.
// The buffer has room to spare for an item that grows between the calls.
LocalText getListBoxItemText(HWND listBox, int index) {
  const LRESULT length = sendW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length <= 0 || length > kLongestItem) return "";
  std::wstring buffer(static_cast<size_t>(length) * 2 + 2, L'\0');
  const LRESULT copied = sendW(listBox, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  if (copied <= 0) return "";
  buffer.resize(std::wcslen(buffer.c_str()));
  return toLocal(buffer);
}

class DesktopWindows : public ImClientWindows {
 public:
  WindowId findTopLevel(std::string_view windowClass, const LocalText& title) override {
    return id(FindWindowExW(nullptr, nullptr, toWide(windowClass).c_str(), toWide(title).c_str()));
  }

  WindowId dialogItem(WindowId dialog, int controlId) override {
    return dialog == kNoWindow ? kNoWindow : id(GetDlgItem(hwnd(dialog), controlId));
  }

  int listBoxCount(WindowId listBox) override {
    if (listBox == kNoWindow) return 0;
    const LRESULT count = sendA(hwnd(listBox), LB_GETCOUNT);
    return count > 0 ? static_cast<int>(count) : 0;
  }

  LocalText listBoxItemText(WindowId listBox, int index) override {
    return listBox == kNoWindow ? LocalText() : getListBoxItemText(hwnd(listBox), index);
  }

  void selectListBoxItem(WindowId listBox, int index) override {
    if (listBox != kNoWindow) sendA(hwnd(listBox), LB_SETCURSEL, static_cast<WPARAM>(index));
  }

  void postLeftClick(WindowId window) override {
    HWND target = window == kNoWindow ? GetDesktopWindow() : hwnd(window);
    const LPARAM point = MAKELPARAM(2, 2);
    PostMessageA(target, WM_MOUSEMOVE, 2, point);
    PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(target, WM_LBUTTONUP, 0, point);
  }

  void sendClose(WindowId window) override {
    if (window != kNoWindow) sendA(hwnd(window), WM_CLOSE);
  }
};

}  // namespace

ImClientWindows& desktopWindows() {
  static DesktopWindows windows;
  return windows;
}

}  // namespace quorvane::platform
