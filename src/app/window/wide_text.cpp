#include "app/window/wide_text.h"

#include "platform/code_pages.h"

namespace quorvane {

std::wstring toWide(std::string_view local) {
  if (local.empty()) return {};
  const int size = static_cast<int>(local.size());
  int length = MultiByteToWideChar(platform::kLocalCodePage, 0, local.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(platform::kLocalCodePage, 0, local.data(), size, wide.data(), length);
  return wide;
}

LocalText toLocal(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(platform::kLocalCodePage, 0, wide.data(), size, nullptr, 0,
                                   nullptr, nullptr);
  if (length <= 0) return {};
  LocalText local(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(platform::kLocalCodePage, 0, wide.data(), size, local.data(), length,
                      nullptr, nullptr);
  // Local text never holds a NUL; a control's text cannot either, but be sure.
  std::erase(local, '\0');
  return local;
}

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
