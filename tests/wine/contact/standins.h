#pragma once
// The stand-in IM client and browser as the tests drive them: instructions
// left in show.txt beside the IM client, records read back from its
// launches.log and events.log (and the browser's launches.log).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace quorvane::testing {

inline std::wstring testFolder() {
  wchar_t path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

// build tree\tests\wine\contact -> build tree\tests\tools\<tool>
inline std::wstring toolFolder(const std::wstring& tool) { return testFolder() + L"\\..\\..\\tools\\" + tool; }

inline std::string readWhole(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  CloseHandle(file);
  return content;
}

inline void writeWhole(const std::wstring& path, const std::string& content) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0, end;
  while ((end = text.find("\r\n", start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Polls until `done` holds; false after `limitMs`. The limit only bounds a
// failing test, it is not what the test checks.
inline bool waitFor(const std::function<bool()>& done, int limitMs = 15000) {
  for (int waited = 0; waited < limitMs; waited += 20) {
    if (done()) return true;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return done();
}

inline std::wstring wide(const std::string& local) {
  int n = MultiByteToWideChar(936, 0, local.data(), static_cast<int>(local.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(936, 0, local.data(), static_cast<int>(local.size()), w.data(), n);
  return w;
}

// One stand-in program's folder: its instructions and records.
class Standin {
 public:
  explicit Standin(const std::wstring& tool) : folder_(toolFolder(tool)) {}

  std::wstring exe(const std::wstring& name) const { return folder_ + L"\\" + name; }
  void reset() const {
    DeleteFileW((folder_ + L"\\launches.log").c_str());
    DeleteFileW((folder_ + L"\\events.log").c_str());
    DeleteFileW((folder_ + L"\\show.txt").c_str());
  }
  void show(const std::string& script) const { writeWhole(folder_ + L"\\show.txt", script); }

  // The launched URLs in the order the shell started the launches.
  std::vector<std::string> launches() const {
    std::vector<std::string> lines = linesOf(readWhole(folder_ + L"\\launches.log"));
    std::sort(lines.begin(), lines.end());
    for (std::string& line : lines) line.erase(0, line.find(' ') + 1);
    return lines;
  }
  std::vector<std::string> events() const { return linesOf(readWhole(folder_ + L"\\events.log")); }

  bool waitForLaunches(size_t count) const {
    return waitFor([&] { return launches().size() >= count; });
  }
  bool waitForEvents(size_t count) const {
    return waitFor([&] { return events().size() >= count; });
  }

 private:
  std::wstring folder_;
};

inline Standin imClient() { return Standin(L"im_client"); }
inline Standin browser() { return Standin(L"browser"); }

// A top-level window found by class and GBK title once it is visible.
inline HWND waitForWindow(const wchar_t* windowClass, const std::string& title) {
  HWND found = nullptr;
  waitFor([&] {
    found = FindWindowExW(nullptr, nullptr, windowClass, wide(title).c_str());
    return found && IsWindowVisible(found);
  });
  return found;
}

// Closes whatever windows the stand-in IM client left showing.
inline void closeStandinWindows() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    HWND window = nullptr;
    EnumWindows(
        [](HWND w, LPARAM found) -> BOOL {
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
          wchar_t path[MAX_PATH * 4] = {};
          DWORD size = static_cast<DWORD>(std::size(path));
          bool standin = process && QueryFullProcessImageNameW(process, 0, path, &size) &&
                         std::wstring(path).find(L"standin_im_client") != std::wstring::npos;
          if (process) CloseHandle(process);
          if (standin && IsWindowVisible(w)) {
            *reinterpret_cast<HWND*>(found) = w;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&window));
    if (!window) return;
    SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    waitFor([&] { return !IsWindow(window); }, 3000);
  }
}

// Starts the stand-in IM client directly, as if the shell had.
inline void startImClient(const std::string& url = "aliim:test") {
  std::wstring exe = imClient().exe(L"standin_im_client.exe");
  std::wstring command = L"\"" + exe + L"\" \"" + wide(url) + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
}

}  // namespace quorvane::testing
