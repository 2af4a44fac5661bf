// Input that needs more than a posted message (modifier keys, the right
// button and its menu) and the clipboard, for the grid's commands.
#include <algorithm>
#include <cstring>

#include "ui_driver.h"

namespace quorvane::ui {
namespace {

// Holds the modifiers in the keyboard state of `window`'s thread for as long
// as it lives. Threads attached to each other share one keyboard state.
class HeldModifiers {
 public:
  HeldModifiers(HWND window, std::initializer_list<UINT> modifiers)
      : self_(GetCurrentThreadId()), target_(GetWindowThreadProcessId(window, nullptr)) {
    attached_ = target_ != self_ && AttachThreadInput(self_, target_, TRUE);
    GetKeyboardState(saved_);
    BYTE held[256];
    std::memcpy(held, saved_, sizeof held);
    for (UINT key : modifiers) held[key] |= 0x80;
    SetKeyboardState(held);
  }
  ~HeldModifiers() {
    SetKeyboardState(saved_);
    if (attached_) AttachThreadInput(self_, target_, FALSE);
  }
  HeldModifiers(const HeldModifiers&) = delete;
  HeldModifiers& operator=(const HeldModifiers&) = delete;

 private:
  DWORD self_, target_;
  bool attached_ = false;
  BYTE saved_[256] = {};
};

}  // namespace

void pressKeyWith(HWND control, std::initializer_list<UINT> modifiers, UINT virtualKey) {
  HeldModifiers held(control, modifiers);
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  // With Alt held every key is a system key, its context bit set.
  const bool alt = std::find(modifiers.begin(), modifiers.end(), static_cast<UINT>(VK_MENU)) != modifiers.end();
  const bool system = virtualKey == VK_F10 || alt;
  const LPARAM context = alt ? (1u << 29) : 0;
  PostMessageW(control, system ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, 1 | (scan << 16) | context);
  PostMessageW(control, system ? WM_SYSKEYUP : WM_KEYUP, virtualKey, 1 | (scan << 16) | context | (3u << 30));
  settle(control, 2);
}

void rightClick(HWND window, POINT at) {
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageW(window, WM_MOUSEMOVE, 0, where);
  PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, where);
  PostMessageW(window, WM_RBUTTONUP, 0, where);
}

HWND waitForPopupMenu(DWORD processId, DWORD timeoutMs) {
  HWND menu = nullptr;
  waitUntil(
      [&] {
        for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
             w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
          DWORD owner = 0;
          GetWindowThreadProcessId(w, &owner);
          if (owner == processId && IsWindowVisible(w)) {
            menu = w;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return menu;
}

std::optional<std::wstring> clipboardText() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::wstring> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = std::wstring(units);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void emptyClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

}  // namespace quorvane::ui
