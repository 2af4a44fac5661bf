#include "ui_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>

#include "app/window/program_version.h"
#include "ui_driver_paths.h"

namespace quorvane::ui {

namespace {

constexpr DWORD kPollMs = 10;
constexpr wchar_t kMainCaption[] = L"QuorvaneV" QUORVANE_CAPTION_VERSION;

// Korean and an emoji, which GBK has no bytes for: every program under test
// runs from a folder whose name only UTF-16 can carry, as a user's may be.
constexpr wchar_t kBeyondGbk[] = L"\uD55C\uAD6D\U0001F600";

std::wstring uniqueFolder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  for (;;) {
    std::wstring folder = std::wstring(temp) + L"quorvane-ui-" + kBeyondGbk + L"-" + std::to_wstring(GetCurrentProcessId()) +
                          L"-" + std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
}

void removeFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        removeFolder(folder + L"\\" + name);
      else
        DeleteFileW((folder + L"\\" + name).c_str());
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

bool writeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  CloseHandle(file);
  return ok;
}

// The driver's environment with `overrides` applied, as a CreateProcessW block.
std::wstring environmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& overrides) {
  std::vector<std::wstring> entries;
  wchar_t* own = GetEnvironmentStringsW();
  for (const wchar_t* p = own; *p; p += wcslen(p) + 1) entries.emplace_back(p);
  FreeEnvironmentStringsW(own);
  for (const auto& [name, value] : overrides) {
    std::wstring prefix = name + L"=";
    std::erase_if(entries, [&](const std::wstring& e) {
      return CompareStringOrdinal(e.c_str(), static_cast<int>(std::min(e.size(), prefix.size())),
                                  prefix.c_str(), static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
    });
    entries.push_back(prefix + value);
  }
  std::wstring block;
  for (const std::wstring& e : entries) block += e + L'\0';
  block += L'\0';
  return block;
}

struct WindowSearch {
  DWORD processId;
  std::wstring_view className, caption;
  HWND found = nullptr;
};

BOOL CALLBACK matchTopLevel(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId) return TRUE;
  if (!search.className.empty() && className(window) != search.className) return TRUE;
  if (!search.caption.empty() && text(window) != search.caption) return TRUE;
  search.found = window;
  return FALSE;
}

// The program runs once per session: one left behind by a test that was cut
// short (a time-out ends the test, not the program it started) would take
// every later start for a second one. Such leftovers are ended first.
BOOL CALLBACK endLeftoverProgram(HWND window, LPARAM) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == GetCurrentProcessId() || className(window) != L"QuorvaneMainWindow") return TRUE;
  if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, owner)) {
    TerminateProcess(process, 98);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  return TRUE;
}

}  // namespace

std::wstring fromLocal(std::string_view gbk) {
  if (gbk.empty()) return {};
  int length = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(), length);
  return wide;
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollMs);
  }
}

std::wstring quorvaneExePath() { return kQuorvaneExePath; }
std::wstring shotsFolder() {
  CreateDirectoryW(kShotsFolder, nullptr);
  return kShotsFolder;
}

std::unique_ptr<App> App::launch(const LaunchOptions& options) {
  // A start that waits for its window is a test's first; a start that does
  // not may be the second start of a running program, on purpose.
  if (options.waitForMainWindow) EnumWindows(endLeftoverProgram, 0);
  std::unique_ptr<App> app(new App);
  const bool inPlace = !options.folder.empty();
  app->folder_ = inPlace ? options.folder : uniqueFolder();
  app->ownsFolder_ = !inPlace;
  if (app->folder_.empty()) return nullptr;
  const std::wstring exe = app->folder_ + L"\\Quorvane.exe";
  if (!inPlace) {
    const std::wstring program = options.program.empty() ? quorvaneExePath() : options.program;
    if (!CopyFileW(program.c_str(), exe.c_str(), FALSE)) return nullptr;
    for (const auto& [name, bytes] : options.files) writeFile(app->folder_ + L"\\" + name, bytes);
  }

  // The program's per-user folder is the test's own unless it names one.
  auto overrides = options.environment;
  const auto named = std::find_if(overrides.begin(), overrides.end(),
                                  [](const auto& variable) { return variable.first == L"LOCALAPPDATA"; });
  if (named == overrides.end()) {
    app->localAppData_ = inPlace ? uniqueFolder() : app->folder_ + L"\\LocalAppData";
    app->ownsLocalAppData_ = inPlace;
    CreateDirectoryW(app->localAppData_.c_str(), nullptr);
    overrides.push_back({L"LOCALAPPDATA", app->localAppData_});
  } else {
    app->localAppData_ = named->second;
  }
  std::wstring environment = environmentBlock(overrides);
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, environment.data(), app->folder_.c_str(), &startup,
                      &app->process_))
    return nullptr;
  app->processId_ = app->process_.dwProcessId;
  if (!options.waitForMainWindow) return app;
  // Shown early in its creation handler; done once its message loop runs.
  if (!waitUntil([&] { return isVisible(app->mainWindow()); }, 30000)) return nullptr;
  settle(app->mainWindow());
  return app;
}

App::~App() {
  if (running()) kill();
  if (process_.hProcess) CloseHandle(process_.hProcess);
  if (process_.hThread) CloseHandle(process_.hThread);
  if (ownsFolder_ && !folder_.empty()) removeFolder(folder_);
  if (ownsLocalAppData_ && !localAppData_.empty()) removeFolder(localAppData_);
}

HWND App::topLevelWindow(std::wstring_view cls, std::wstring_view caption) const {
  WindowSearch search{processId_, cls, caption};
  EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND App::mainWindow() const { return topLevelWindow({}, kMainCaption); }

bool App::running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> App::waitForExit(DWORD timeoutMs) const {
  if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

void App::kill() {
  TerminateProcess(process_.hProcess, 99);
  WaitForSingleObject(process_.hProcess, 5000);
}

std::optional<std::string> App::readPerUserFile(std::wstring_view name) const {
  return readFileAt(localAppData_ + L"\\Quorvane\\" + std::wstring(name));
}

std::optional<std::string> App::readFile(std::wstring_view name) const {
  return readFileAt(folder_ + L"\\" + std::wstring(name));
}

std::optional<std::string> App::readFileAt(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

void App::postTrayEvent(UINT mouseMessage) const {
  PostMessageW(mainWindow(), kTrayIconMessage, kTrayIconId, mouseMessage);
}

HWND App::openTrayMenu() const {
  postTrayEvent(WM_RBUTTONUP);
  HWND menu = nullptr;
  waitUntil([&] {
    menu = topLevelWindow(L"#32768");
    return menu && IsWindowVisible(menu);
  });
  return menu;
}

std::wstring className(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return {};
  std::wstring buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  buffer.resize(std::min<size_t>(copied, length));
  return buffer;
}

RECT positionInParent(HWND window) {
  RECT box{};
  GetWindowRect(window, &box);
  HWND parent = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
  if (parent) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&box), 2);
  return box;
}

bool sameRect(const RECT& a, int left, int top, int width, int height) {
  return a.left == left && a.top == top && a.right - a.left == width && a.bottom - a.top == height;
}

std::vector<HWND> findControls(HWND ancestor, std::wstring_view cls, std::wstring_view caption) {
  struct Search {
    std::wstring_view cls, caption;
    std::vector<HWND> found;
  } search{cls, caption, {}};
  EnumChildWindows(
      ancestor,
      [](HWND child, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if ((s.cls.empty() || className(child) == s.cls) && (s.caption.empty() || text(child) == s.caption))
          s.found.push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND findControl(HWND ancestor, std::wstring_view cls, std::wstring_view caption) {
  std::vector<HWND> found = findControls(ancestor, cls, caption);
  return found.empty() ? nullptr : found.front();
}

HWND controlAt(HWND parent, std::wstring_view cls, int left, int top) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT box = positionInParent(child);
    if (box.left == left && box.top == top && (cls.empty() || className(child) == cls)) return child;
  }
  return nullptr;
}

HWND controlNear(HWND parent, std::wstring_view cls, int left, int top, int tolerance) {
  HWND nearest = nullptr;
  int nearestDistance = tolerance * 2 + 1;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT box = positionInParent(child);
    const int dx = std::abs(box.left - left), dy = std::abs(box.top - top);
    if (dx > tolerance || dy > tolerance || (!cls.empty() && className(child) != cls)) continue;
    if (dx + dy < nearestDistance) nearest = child, nearestDistance = dx + dy;
  }
  return nearest;
}

bool isChecked(HWND checkBox) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(checkBox, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
}

bool isVisible(HWND window) { return window && IsWindowVisible(window); }

void click(HWND control) {
  RECT box{};
  GetClientRect(control, &box);
  LPARAM at = MAKELPARAM((box.right - box.left) / 2, (box.bottom - box.top) / 2);
  PostMessageW(control, WM_MOUSEMOVE, 0, at);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(control, WM_LBUTTONUP, 0, at);
  settle(control, 3);
}

void mouseMove(HWND window, int x, int y) {
  PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  settle(window);
}

void pressKey(HWND control, UINT virtualKey) {
  UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageW(control, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  PostMessageW(control, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
  settle(control, 2);
}

void typeText(HWND control, std::wstring_view typed) {
  for (wchar_t c : typed) PostMessageW(control, WM_CHAR, c, 1);
  settle(control, static_cast<int>(typed.size()));
}

// Posted messages are handled in the order they were posted, and only by the
// thread's message loop. So a posted change whose effect can be read back
// (the text limit of an edit box, restored right after) tells when all that
// was posted before has run. Without an edit box the sent messages below
// are the best effort: each is answered the next time the thread asks for
// a message, and each ask takes at most one posted message first.
void settle(HWND window, int posted) {
  HWND root = GetAncestor(window, GA_ROOT);
  HWND probe = root ? findControl(root, L"Edit", L"") : nullptr;
  DWORD_PTR limit = 0;
  if (probe && SendMessageTimeoutW(probe, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 5000, &limit) && limit > 1) {
    for (DWORD_PTR value : {limit - 1, limit}) {
      PostMessageW(probe, EM_SETLIMITTEXT, value, 0);
      waitUntil([&] {
        DWORD_PTR now = 0;
        return !SendMessageTimeoutW(probe, EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG, 5000, &now) || now == value;
      });
    }
    return;
  }
  DWORD_PTR ignored = 0;
  for (int i = 0; i < posted + 3; ++i)
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored)) return;
}

void chooseMenuItem(HWND menuWindow, int index) {
  for (int i = 0; i <= index; ++i) PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

void pressMenuAccessKey(HWND menuWindow, wchar_t letter) { PostMessageW(menuWindow, WM_CHAR, letter, 0); }

std::wstring statusText(HWND mainWindow) { return text(findControl(mainWindow, STATUSCLASSNAMEW, L"")); }

// SB_GETTEXTW writes into the bar's process: a block allocated there.
std::wstring statusText(HWND mainWindow, StatusPart part) {
  HWND bar = findControl(mainWindow, STATUSCLASSNAMEW, L"");
  const WPARAM index = static_cast<WPARAM>(part);
  DWORD_PTR length = 0;
  if (!bar || !SendMessageTimeoutW(bar, SB_GETTEXTLENGTHW, index, 0, SMTO_ABORTIFHUNG, 5000, &length)) return L"";
  const size_t units = LOWORD(length) + 1;
  DWORD owner = 0;
  GetWindowThreadProcessId(bar, &owner);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, owner);
  if (!process) return L"";
  void* remote = VirtualAllocEx(process, nullptr, units * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
  std::wstring text(units, L'\0');
  DWORD_PTR ignored = 0;
  SIZE_T read = 0;
  if (remote && SendMessageTimeoutW(bar, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                                    &ignored))
    ReadProcessMemory(process, remote, text.data(), units * sizeof(wchar_t), &read);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

// The one editable drop-down list of the window (组合框1 is a plain drop-down
// list), wherever a DPI puts it.
HWND keywordList(HWND mainWindow) {
  for (HWND combo : findControls(mainWindow, L"ComboBox", L""))
    if ((GetWindowLongW(combo, GWL_STYLE) & 3) == CBS_DROPDOWN) return combo;
  return nullptr;
}

HWND creditList(HWND header) {
  for (HWND combo : findControls(header, L"ComboBox", L""))
    if ((GetWindowLongW(combo, GWL_STYLE) & 3) == CBS_DROPDOWNLIST) return combo;
  return nullptr;
}

HWND keywordBox(HWND mainWindow) { return FindWindowExW(keywordList(mainWindow), nullptr, L"Edit", nullptr); }

}  // namespace quorvane::ui
