// A stand-in for the shell's notification area: the window path the tray
// discovery reads, with real comctl32 toolbars whose buttons carry the tips
// a test gives, and a receiver for every process's Shell_NotifyIcon calls.
// See standin_tray_protocol.h for the command line and the messages.
#include <windows.h>
#include <aclapi.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "standin_tray_automation.h"
#include "standin_tray_protocol.h"

namespace {

using standin_tray::AutomationTree;
using standin_tray::ElementShape;
using standin_tray::kForwardOption;
using standin_tray::kNestedMarker;
using standin_tray::kOverflowMarker;
using standin_tray::kOverflowShownOption;
using standin_tray::kProtectedOption;
using standin_tray::kReloadTipsMessage;
using standin_tray::kSlowOption;
using standin_tray::kWindows11Option;

// Invoking the hidden icons' button shows or hides their window, a moment
// later, as the shell's flyout does.
constexpr UINT kToggleOverflowMessage = WM_APP + 2;

struct Options {
  bool windows11 = false;
  bool protectedProcess = false;
  bool overflowShown = false;
  DWORD slowMs = 0;
  bool forward = false;
};

struct Tips {
  std::vector<std::string> visible;
  std::vector<std::string> hidden;
};

// An icon added through Shell_NotifyIcon.
struct NotifyIcon {
  DWORD window = 0;
  UINT id = 0;
  std::string tip;  // local text
};

// The head of the platform-independent record that Wine's shell32 sends with
// WM_COPYDATA for Shell_NotifyIcon (dwData is the NIM_ code). Wine 8 sends
// the tip right after these four fields; Wine 10 first the icon's format
// (width, height, planes, bits per pixel).
struct WineNotifyData {
  LONG hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  WCHAR szTip[128];
};
constexpr size_t kIconFormatBytes = 4 * sizeof(UINT);

// The major version of the Wine this runs under (0 on Windows).
int wineMajorVersion() {
  using Version = const char*(CDECL*)();
  auto version = reinterpret_cast<Version>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
  return version ? atoi(version()) : 0;
}

std::wstring wideFromLocal(const std::string& text) {
  int n = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string localFromWide(const wchar_t* units, size_t maxUnits) {
  size_t count = 0;
  while (count < maxUnits && units[count]) ++count;
  int n = WideCharToMultiByte(936, 0, units, static_cast<int>(count), nullptr, 0, nullptr, nullptr);
  std::string text(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(936, 0, units, static_cast<int>(count), text.data(), n, nullptr, nullptr);
  return text;
}

std::wstring wideArgument(int index) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  std::wstring value = args && index < count ? args[index] : L"";
  LocalFree(args);
  return value;
}

// The words after the ready event's name.
Options readOptions() {
  Options options;
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 4; args && i < count; ++i) {
    std::wstring word = args[i];
    if (word == kWindows11Option) options.windows11 = true;
    if (word == kProtectedOption) options.protectedProcess = true;
    if (word == kOverflowShownOption) options.overflowShown = true;
    if (word == kForwardOption) options.forward = true;
    if (word.rfind(kSlowOption, 0) == 0) options.slowMs = static_cast<DWORD>(_wtoi(word.c_str() + wcslen(kSlowOption)));
  }
  LocalFree(args);
  return options;
}

// An empty, protected DACL: nobody opens this process any more, as where a
// security suite guards the shell; handles opened before keep their rights,
// and window messages still arrive.
bool denyOpeningThisProcess() {
  ACL empty;
  if (!InitializeAcl(&empty, sizeof empty, ACL_REVISION)) return false;
  return SetSecurityInfo(GetCurrentProcess(), SE_KERNEL_OBJECT,
                         DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr, &empty,
                         nullptr) == ERROR_SUCCESS;
}

bool readTips(const std::wstring& path, Tips& tips) {
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return false;
  std::string content;
  char chunk[4096];
  for (size_t n; (n = fread(chunk, 1, sizeof chunk, file)) > 0;) content.append(chunk, n);
  fclose(file);
  tips = {};
  std::vector<std::string>* into = &tips.visible;
  for (size_t start = 0; start < content.size();) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == kOverflowMarker) into = &tips.hidden;
    else into->push_back(line);
    start = end + 1;
  }
  return true;
}

std::string hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

class StandinTray {
 public:
  StandinTray(std::wstring tipsPath, std::wstring recordPath, Options options)
      : tipsPath_(std::move(tipsPath)), recordPath_(std::move(recordPath)), options_(options) {}

  bool create(HINSTANCE instance);
  LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT onReloadTips();
  void onToggleOverflow();
  std::vector<ElementShape> taskbarElements() const;
  std::vector<ElementShape> overflowElements() const;
  LRESULT onNotifyIcon(WPARAM sender, const COPYDATASTRUCT& data);
  void forwardToShell(WPARAM sender, const COPYDATASTRUCT& data) const;
  void record(DWORD operation, const WineNotifyData& data, const std::string& tip);
  void applyNotifyIcon(DWORD operation, const WineNotifyData& data, const std::string& tip);
  void showButtons();
  void fill(HWND toolbar, const std::vector<std::string>& tips, std::vector<std::wstring>& texts, int firstId);

  std::wstring tipsPath_, recordPath_;
  Options options_;
  Tips tips_;
  std::vector<NotifyIcon> icons_;
  HWND tray_ = nullptr, visible_ = nullptr, overflow_ = nullptr, hidden_ = nullptr;
  std::vector<std::wstring> visibleTexts_, hiddenTexts_;  // kept alive for the buttons
  std::unique_ptr<AutomationTree> taskbarTree_, overflowTree_;
};

StandinTray* g_tray = nullptr;

LRESULT CALLBACK trayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return g_tray->handle(window, message, wParam, lParam);
}

bool registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc) {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = proc;
  cls.hInstance = instance;
  cls.lpszClassName = name;
  return RegisterClassW(&cls) != 0;
}

HWND createChild(const wchar_t* cls, HWND parent, const wchar_t* title = nullptr) {
  return CreateWindowExW(0, cls, title, WS_CHILD | WS_VISIBLE, 0, 0, 400, 30, parent, nullptr, nullptr, nullptr);
}

// Wine's explorer keeps a "Shell_TrayWnd" of its own; titling it keeps
// title-sensitive look-ups off it, and being topmost puts ours first for
// the others (Shell_NotifyIcon included).
void titleOtherTrays() {
  for (HWND other = FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr); other;
       other = FindWindowExA(nullptr, other, "Shell_TrayWnd", nullptr))
    SetWindowTextA(other, "wine-tray");
}

bool StandinTray::create(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
  // Windows 11 from 22H2 keeps the classic path with an empty toolbar, draws
  // the icons with XAML inside the taskbar, and moves the hidden ones into a
  // XAML window of their own.
  const wchar_t* overflowClass =
      options_.windows11 ? L"TopLevelWindowForOverflowXamlIsland" : L"NotifyIconOverflowWindow";
  const wchar_t* xamlClass = L"Windows.UI.Composition.DesktopWindowContentBridge";
  if (!registerClass(instance, L"Shell_TrayWnd", trayProc) || !registerClass(instance, L"TrayNotifyWnd", DefWindowProcW) ||
      !registerClass(instance, L"SysPager", DefWindowProcW) || !registerClass(instance, overflowClass, trayProc) ||
      (options_.windows11 && !registerClass(instance, xamlClass, DefWindowProcW)))
    return false;
  titleOtherTrays();
  tray_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", nullptr, WS_POPUP, 0, 0, 400, 30,
                          nullptr, nullptr, instance, nullptr);
  overflow_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, overflowClass, nullptr, WS_POPUP, 0, 0, 400, 30,
                              nullptr, nullptr, instance, nullptr);
  if (!tray_ || !overflow_) return false;
  SetWindowPos(tray_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HWND pager = createChild(L"SysPager", createChild(L"TrayNotifyWnd", tray_));
  // Windows 7 and later title both toolbars; look-ups must not depend on it.
  visible_ = createChild(TOOLBARCLASSNAMEW, pager, L"User Promoted Notification Area");
  if (!visible_) return false;
  SendMessageW(visible_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  if (options_.windows11) {
    if (!createChild(xamlClass, tray_)) return false;
    // Served by the top-level windows themselves: Wine 10's UI Automation
    // does not walk into the XAML child as Windows does.
    taskbarTree_ = std::make_unique<AutomationTree>(tray_, [this] { return taskbarElements(); }, options_.slowMs);
    overflowTree_ = std::make_unique<AutomationTree>(overflow_, [this] { return overflowElements(); }, options_.slowMs);
    if (options_.overflowShown) ShowWindow(overflow_, SW_SHOWNA);
  } else {
    hidden_ = createChild(TOOLBARCLASSNAMEW, overflow_, L"Overflow Notification Area");
    if (!hidden_) return false;
    SendMessageW(hidden_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  }
  readTips(tipsPath_, tips_);
  showButtons();
  // A shell that starts announces itself so programs add their icons again.
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  return true;
}

LRESULT StandinTray::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT) {
    AutomationTree* tree = window == tray_ ? taskbarTree_.get() : window == overflow_ ? overflowTree_.get() : nullptr;
    if (LRESULT served = 0; tree && tree->onGetObject(wParam, lParam, served)) return served;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (window != tray_) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case kToggleOverflowMessage:
      onToggleOverflow();
      return 0;
    case WM_COPYDATA:
      return onNotifyIcon(wParam, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kReloadTipsMessage:
      return onReloadTips();
    case WM_CLOSE:
      DestroyWindow(overflow_);
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT StandinTray::onReloadTips() {
  if (!readTips(tipsPath_, tips_)) return -1;
  showButtons();
  return static_cast<LRESULT>(SendMessageW(visible_, TB_BUTTONCOUNT, 0, 0) + SendMessageW(hidden_, TB_BUTTONCOUNT, 0, 0));
}

// The Windows 11 taskbar's elements as its UI Automation tree shows them:
// the hidden icons' button, the icons (a tip after kNestedMarker one level
// deeper, inside a group), then system buttons that share the button's
// AutomationId.
std::vector<ElementShape> StandinTray::taskbarElements() const {
  const std::wstring button = L"SystemTray.NormalButton";
  std::vector<ElementShape> elements;
  elements.push_back({L"SystemTrayIcon", L"\x663E\x793A\x9690\x85CF\x7684\x56FE\x6807", button, false,  // "显示隐藏的图标"
                      [this] { PostMessageW(tray_, kToggleOverflowMessage, 0, 0); }, {}});
  ElementShape nested{L"", L"", L"SystemTray.Stack", true, nullptr, {}};
  std::vector<std::string> tips = tips_.visible;
  for (const NotifyIcon& icon : icons_) tips.push_back(icon.tip);
  for (const std::string& tip : tips) {
    const bool deeper = tip.rfind(kNestedMarker, 0) == 0;
    ElementShape icon{L"NotifyItemIcon", wideFromLocal(deeper ? tip.substr(1) : tip), button, false, nullptr, {}};
    if (deeper) nested.children.push_back(std::move(icon));
    else elements.push_back(std::move(icon));
  }
  if (!nested.children.empty()) elements.push_back(std::move(nested));
  elements.push_back({L"SystemTrayIcon", L"\x6258\x76D8\x8F93\x5165\x6307\x793A \x4E2D\x6587\x6A21\x5F0F", button,  // "托盘输入指示 中文模式"
                      false, [] {}, {}});
  return elements;
}

// The flyout has content only while it is open.
std::vector<ElementShape> StandinTray::overflowElements() const {
  std::vector<ElementShape> elements;
  if (!IsWindowVisible(overflow_)) return elements;
  for (const std::string& tip : tips_.hidden)
    elements.push_back({L"NotifyItemIcon", wideFromLocal(tip), L"SystemTray.NormalButton", false, nullptr, {}});
  return elements;
}

// As the shell's flyout: opening it takes the focus.
void StandinTray::onToggleOverflow() {
  if (IsWindowVisible(overflow_)) {
    SetWindowPos(overflow_, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    ShowWindow(overflow_, SW_SHOW);
    SetForegroundWindow(overflow_);
  }
}

LRESULT StandinTray::onNotifyIcon(WPARAM sender, const COPYDATASTRUCT& data) {
  static const size_t tipAt = wineMajorVersion() >= 10 ? kIconFormatBytes : 0;
  if (options_.forward) forwardToShell(sender, data);
  if (data.cbData < sizeof(WineNotifyData) + tipAt || !data.lpData) return TRUE;
  WineNotifyData notify;
  const auto* bytes = static_cast<const BYTE*>(data.lpData);
  memcpy(&notify, bytes, offsetof(WineNotifyData, szTip));
  memcpy(notify.szTip, bytes + offsetof(WineNotifyData, szTip) + tipAt, sizeof notify.szTip);
  std::string tip = notify.uFlags & NIF_TIP ? localFromWide(notify.szTip, 128) : "";
  record(static_cast<DWORD>(data.dwData), notify, tip);
  applyNotifyIcon(static_cast<DWORD>(data.dwData), notify, tip);
  return TRUE;
}

// Wine's taskbar reads the record exactly as it came, the icon's bits included.
void StandinTray::forwardToShell(WPARAM sender, const COPYDATASTRUCT& data) const {
  for (HWND other = FindWindowExW(nullptr, nullptr, L"Shell_TrayWnd", nullptr); other;
       other = FindWindowExW(nullptr, other, L"Shell_TrayWnd", nullptr)) {
    if (other == tray_) continue;
    COPYDATASTRUCT copy = data;
    SendMessageW(other, WM_COPYDATA, sender, reinterpret_cast<LPARAM>(&copy));
    return;
  }
}

void StandinTray::record(DWORD operation, const WineNotifyData& data, const std::string& tip) {
  if (recordPath_.empty()) return;
  FILE* file = _wfopen(recordPath_.c_str(), L"ab");
  if (!file) return;
  fprintf(file, "%lu %lX %X %X %X %s\n", static_cast<unsigned long>(operation), static_cast<unsigned long>(data.hWnd),
          data.uID, data.uFlags, data.uCallbackMessage, tip.empty() ? "-" : hex(tip).c_str());
  fclose(file);
}

void StandinTray::applyNotifyIcon(DWORD operation, const WineNotifyData& data, const std::string& tip) {
  auto found = icons_.begin();
  while (found != icons_.end() && !(found->window == DWORD(data.hWnd) && found->id == data.uID)) ++found;
  if (operation == NIM_DELETE) {
    if (found != icons_.end()) icons_.erase(found);
  } else if (operation == NIM_ADD || operation == NIM_MODIFY) {
    if (found == icons_.end()) {
      if (operation == NIM_MODIFY) return;
      icons_.push_back({DWORD(data.hWnd), data.uID, ""});
      found = icons_.end() - 1;
    }
    if (data.uFlags & NIF_TIP) found->tip = tip;
  } else {
    return;
  }
  showButtons();
}

void StandinTray::showButtons() {
  // The XAML notification area shows no icon as a toolbar button.
  if (options_.windows11) return;
  std::vector<std::string> visible = tips_.visible;
  for (const NotifyIcon& icon : icons_) visible.push_back(icon.tip);
  // Command ids are neither indexes nor equal across toolbars, so a reader
  // that mixes them up reads the wrong button.
  fill(visible_, visible, visibleTexts_, 4001);
  fill(hidden_, tips_.hidden, hiddenTexts_, 7001);
}

void StandinTray::fill(HWND toolbar, const std::vector<std::string>& tips, std::vector<std::wstring>& texts,
                       int firstId) {
  while (SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(toolbar, TB_DELETEBUTTON, 0, 0);
  texts.clear();
  for (const std::string& tip : tips) texts.push_back(wideFromLocal(tip));
  std::vector<TBBUTTON> buttons(tips.size());
  for (size_t i = 0; i < tips.size(); ++i) {
    buttons[i].iBitmap = I_IMAGENONE;
    buttons[i].idCommand = firstId + 3 * static_cast<int>(i);
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON;
    buttons[i].iString = reinterpret_cast<INT_PTR>(texts[i].c_str());
  }
  if (!buttons.empty()) SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // UI Automation calls the providers on this thread, through its messages.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const Options options = readOptions();
  StandinTray tray(wideArgument(1), wideArgument(2), options);
  g_tray = &tray;
  if (!tray.create(instance)) return 1;
  if (options.protectedProcess && !denyOpeningThisProcess()) return 1;
  std::wstring readyEvent = wideArgument(3);
  if (!readyEvent.empty()) {
    if (HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, readyEvent.c_str())) {
      SetEvent(ready);
      CloseHandle(ready);
    }
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
