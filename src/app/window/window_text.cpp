#include "app/window/window_text.h"

namespace quorvane {

LocalText windowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(window, wide.data(), length + 1);
  wide.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return toLocal(wide);
}

void setWindowText(HWND window, const LocalText& text) { SetWindowTextW(window, toWide(text).c_str()); }

}  // namespace quorvane
