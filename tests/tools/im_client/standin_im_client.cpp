// A stand-in for the marketplace's IM client, registered in the test prefix
// as the handler of "aliim:". Every launch records its URL in launches.log.
// When show.txt lies beside it, the launch also shows the windows that file
// lists, one a line (GBK text):
//   chooser<TAB>item<TAB>item...       the account chooser (Unicode list box)
//   chooser-ansi<TAB>item<TAB>item...  the same with an ANSI list box
//   dialog<TAB>title                   a "#32770" dialog with that title
//   window<TAB>title                   a window of another class
// and records in events.log what happens to them:
//   chose <index> <item>               OK clicked in the chooser
//   closed <line> <kind> <title>       a window went away (line of show.txt)
// It exits when its last window is gone.
#include <windows.h>

#include <string>
#include <vector>

#include "../standin_files.h"

namespace {

constexpr int kAccountListId = 201;
constexpr UINT kLifetimeMs = 120000;  // a forgotten stand-in ends itself

struct Shown {
  int line;
  std::string kind;
  std::string title;
  std::vector<std::string> items;
};

int liveWindows = 0;

// The tests run on a bare X server. Wine waits two seconds for a window
// manager to withdraw each window it treats as managed (one with a caption or
// system menu, or one ever activated) when it hides it, so the stand-in's
// windows are framed but captionless and never activated; finding them by
// class and title works the same.
constexpr DWORD kTopLevelStyle = WS_POPUP | WS_BORDER;

void showAt(HWND window, int place) {
  ++liveWindows;
  SetWindowPos(window, HWND_TOP, 40 + 30 * place, 40 + 30 * place, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void recordEvent(const std::string& event) { standin::appendLine(standin::ownFolder() + L"\\events.log", event); }

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    pieces.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return pieces;
    start = end + 1;
  }
}

std::vector<Shown> readScript() {
  std::vector<Shown> shown;
  std::string script = standin::readFile(standin::ownFolder() + L"\\show.txt");
  int line = 0;
  for (std::string row : split(script, '\n')) {
    ++line;
    if (!row.empty() && row.back() == '\r') row.pop_back();
    std::vector<std::string> fields = split(row, '\t');
    if (fields.size() < 2) continue;
    Shown s{line, fields[0], fields[1], {}};
    if (s.kind.rfind("chooser", 0) == 0) {
      s.title.clear();
      s.items.assign(fields.begin() + 1, fields.end());
    }
    shown.push_back(std::move(s));
  }
  return shown;
}

void windowGone(const Shown& shown) {
  recordEvent("closed " + std::to_string(shown.line) + " " + shown.kind + " " + shown.title);
  if (--liveWindows == 0) PostQuitMessage(0);
}

// ---- dialog templates built in memory ----

class DialogTemplate {
 public:
  DialogTemplate(const std::wstring& title, DWORD style, short cx, short cy) {
    DLGTEMPLATE header{style | DS_SETFONT, 0, 0, 10, 10, cx, cy};
    add(&header, sizeof header);
    word(0);  // no menu
    word(0);  // the dialog class
    text(title);
    word(9);
    text(L"MS Shell Dlg");
  }
  void item(WORD classAtom, const std::wstring& caption, WORD id, DWORD style, short x, short y, short cx,
            short cy) {
    align();
    DLGITEMTEMPLATE it{style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, id};
    add(&it, sizeof it);
    word(0xFFFF);
    word(classAtom);
    text(caption);
    word(0);  // no creation data
    ++count_;
    reinterpret_cast<DLGTEMPLATE*>(bytes_.data())->cdit = count_;
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  void add(const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  void word(WORD w) { add(&w, sizeof w); }
  void text(const std::wstring& s) { add(s.c_str(), (s.size() + 1) * sizeof(wchar_t)); }
  void align() {
    while (bytes_.size() % 4) bytes_.push_back(0);
  }
  std::vector<char> bytes_;
  WORD count_ = 0;
};

constexpr WORD kButton = 0x0080, kListBox = 0x0083;

// ---- the account chooser ----

INT_PTR CALLBACK chooserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* shown = reinterpret_cast<Shown*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      shown = reinterpret_cast<Shown*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      HWND list = GetDlgItem(dialog, kAccountListId);
      const bool ansi = shown->kind == "chooser-ansi";
      for (const std::string& item : shown->items) {
        if (ansi)
          SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        else
          SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(standin::fromLocal(item).c_str()));
      }
      return FALSE;  // no focus: focusing a control would activate the dialog
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        const int index = static_cast<int>(SendDlgItemMessageW(dialog, kAccountListId, LB_GETCURSEL, 0, 0));
        const std::string item = index >= 0 && index < static_cast<int>(shown->items.size())
                                     ? shown->items[static_cast<size_t>(index)]
                                     : std::string();
        recordEvent("chose " + std::to_string(index) + " " + item);
        DestroyWindow(dialog);
      } else if (LOWORD(wParam) == IDCANCEL) {
        DestroyWindow(dialog);
      }
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      windowGone(*shown);
      return TRUE;
  }
  return FALSE;
}

void showChooser(Shown& shown, int place) {
  // "请选择已登录的阿里旺旺帐号"
  const std::wstring title = standin::fromLocal(
      "\xC7\xEB\xD1\xA1\xD4\xF1\xD2\xD1\xB5\xC7\xC2\xBC\xB5\xC4\xB0\xA2\xC0\xEF\xCD\xFA\xCD\xFA\xD5\xCA\xBA\xC5");
  shown.title = standin::toLocal(title);
  DialogTemplate t(title, kTopLevelStyle, 180, 130);
  t.item(kListBox, L"", kAccountListId, WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 7, 7, 166, 90);
  t.item(kButton, L"OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 40, 105, 45, 16);
  t.item(kButton, L"Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 95, 105, 45, 16);
  HWND dialog = shown.kind == "chooser-ansi"
                    ? CreateDialogIndirectParamA(GetModuleHandleW(nullptr), t.get(), nullptr, chooserProc,
                                                 reinterpret_cast<LPARAM>(&shown))
                    : CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.get(), nullptr, chooserProc,
                                                 reinterpret_cast<LPARAM>(&shown));
  if (dialog) showAt(dialog, place);
}

// ---- the other dialogs and windows ----

INT_PTR CALLBACK plainDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      return FALSE;
    case WM_COMMAND:
    case WM_CLOSE:
      DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      windowGone(*reinterpret_cast<Shown*>(GetWindowLongPtrW(dialog, DWLP_USER)));
      return TRUE;
  }
  return FALSE;
}

void showDialog(Shown& shown, int place) {
  DialogTemplate t(standin::fromLocal(shown.title), kTopLevelStyle, 160, 60);
  t.item(kButton, L"Cancel", IDCANCEL, BS_PUSHBUTTON, 55, 35, 50, 16);
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.get(), nullptr, plainDialogProc,
                                           reinterpret_cast<LPARAM>(&shown));
  if (dialog) showAt(dialog, place);
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  if (message == WM_DESTROY) windowGone(*reinterpret_cast<Shown*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
  return DefWindowProcW(window, message, wParam, lParam);
}

void showFrame(Shown& shown, int place) {
  static const wchar_t* kClass = L"StandinImFrame";
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = frameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClass;
    registered = RegisterClassW(&wc) != 0;
  }
  HWND window = CreateWindowExW(0, kClass, standin::fromLocal(shown.title).c_str(), kTopLevelStyle, 0, 0, 300, 120,
                                nullptr, nullptr, GetModuleHandleW(nullptr), &shown);
  if (window) showAt(window, place);
}

bool isDialogMessageForAny(MSG& msg) {
  HWND top = GetAncestor(msg.hwnd, GA_ROOT);
  if (!top) return false;
  wchar_t cls[16] = {};
  GetClassNameW(top, cls, 16);
  return std::wstring(cls) == L"#32770" && IsDialogMessageW(top, &msg);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::recordLaunch();
  std::vector<Shown> script = readScript();
  int place = 0;
  for (Shown& shown : script) {
    if (shown.kind == "chooser" || shown.kind == "chooser-ansi")
      showChooser(shown, place++);
    else if (shown.kind == "dialog")
      showDialog(shown, place++);
    else if (shown.kind == "window")
      showFrame(shown, place++);
  }
  if (liveWindows == 0) return 0;
  SetTimer(nullptr, 0, kLifetimeMs, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (isDialogMessageForAny(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
