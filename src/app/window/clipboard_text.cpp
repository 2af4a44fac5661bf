#include "app/window/clipboard_text.h"

#include <cstring>

namespace quorvane {
namespace {

HGLOBAL copyToGlobal(std::wstring_view text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!memory) return nullptr;
  auto* units = static_cast<wchar_t*>(GlobalLock(memory));
  if (!units) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(units, text.data(), text.size() * sizeof(wchar_t));
  units[text.size()] = L'\0';
  GlobalUnlock(memory);
  return memory;
}

// Another program (a clipboard manager, a remote-desktop client) may hold
// the clipboard open for a moment; the copy waits for it a little, as the
// user would otherwise find the old content pasted.
bool openClipboard(HWND owner) {
  constexpr int kAttempts = 10;
  constexpr DWORD kPauseMs = 20;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(kPauseMs);
  }
  return false;
}

}  // namespace

bool putTextOnClipboard(HWND owner, std::wstring_view text) {
  HGLOBAL memory = copyToGlobal(text);
  if (!memory) return false;
  if (!openClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // Once set, the memory belongs to the clipboard.
  const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(memory);
  return placed;
}

}  // namespace quorvane
