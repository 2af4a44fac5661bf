#include "app/window/keyword_box.h"

#include <commctrl.h>

#include "app/window/window_messages.h"
#include "app/window/window_text.h"

namespace quorvane {
namespace {

constexpr wchar_t kKeywordSeparator = L'\uFF1B';  // ；

bool isLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }

std::wstring clipboardText(HWND owner) {
  std::wstring text;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT))
    if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = units;
      GlobalUnlock(data);
    }
  CloseClipboard();
  return text;
}

LRESULT CALLBACK keywordEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR combo) {
  const HWND box = reinterpret_cast<HWND>(combo);
  const bool listOpen = SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
  switch (message) {
    case WM_GETDLGCODE:  // keep Enter from the default button, and Esc from 停止 while the list is open
      if (lParam) {
        const WPARAM key = reinterpret_cast<const MSG*>(lParam)->wParam;
        if (key == VK_RETURN || (key == VK_ESCAPE && listOpen))
          return DLGC_WANTALLKEYS | DefSubclassProc(edit, message, wParam, lParam);
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN && !listOpen) {
        SendMessageW(GetAncestor(edit, GA_ROOT), kEnterPressedMessage, static_cast<WPARAM>(GetDlgCtrlID(box)), 0);
        return 0;
      }
      break;
    case WM_CHAR:
      if ((wParam == L'\r' || wParam == L'\n') && !listOpen) return 0;  // no beep
      break;
    case WM_PASTE: {
      // A single-line box would keep only the first of several lines.
      const std::wstring text = keywordsOnOneLine(clipboardText(edit));
      if (!text.empty()) SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
      return 0;
    }
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void attachKeywordBox(HWND comboBox) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!GetComboBoxInfo(comboBox, &info) || !info.hwndItem) return;
  SetWindowSubclass(info.hwndItem, keywordEditProc, 0, reinterpret_cast<DWORD_PTR>(comboBox));
}

void showRecentKeywords(HWND comboBox, const std::vector<LocalText>& keywords) {
  const std::wstring text = toWide(windowText(comboBox));
  SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
  for (const LocalText& keyword : keywords)
    SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(keyword).c_str()));
  SetWindowTextW(comboBox, text.c_str());
}

std::wstring keywordsOnOneLine(const std::wstring& pasted) {
  std::wstring line;
  bool breakPending = false;
  for (wchar_t c : pasted) {
    if (isLineBreak(c)) {
      breakPending = !line.empty();
      continue;
    }
    if (c == L'\0') break;
    if (breakPending && line.back() != kKeywordSeparator && c != kKeywordSeparator) line += kKeywordSeparator;
    breakPending = false;
    line += c;
  }
  return line;
}

}  // namespace quorvane
