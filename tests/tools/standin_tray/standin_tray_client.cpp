#include "standin_tray_client.h"

#include <objbase.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "standin_tray_protocol.h"

namespace standin_tray {
namespace {

constexpr DWORD kStartupLimitMs = 20000;
constexpr DWORD kExitLimitMs = 10000;

std::wstring widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring temporaryPath(const wchar_t* kind) {
  static int serial = 0;
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"standin_tray_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
         std::to_wstring(++serial) + L"_" + kind + L".txt";
}

std::wstring executablePath() {
  std::wstring path = widen(STANDIN_TRAY_EXE);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

std::string unhex(const std::string& digits) {
  if (digits == "-") return "";
  std::string bytes;
  for (size_t i = 0; i + 1 < digits.size(); i += 2) bytes += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
  return bytes;
}

}  // namespace

StandinTray::StandinTray(std::vector<std::string> visible, std::vector<std::string> hidden, TrayOptions options)
    : tipsPath_(temporaryPath(L"tips")), recordPath_(temporaryPath(L"record")) {
  DeleteFileW(recordPath_.c_str());
  if (!writeTips(visible, hidden)) return;
  std::wstring readyName = L"standin_tray_ready_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                          std::to_wstring(GetTickCount64());
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
  if (!ready) return;
  std::wstring exe = executablePath();
  std::wstring commandLine =
      L"\"" + exe + L"\" \"" + tipsPath_ + L"\" \"" + recordPath_ + L"\" \"" + readyName + L"\"";
  if (options.windows11) commandLine += std::wstring(L" ") + kWindows11Option;
  if (options.processProtected) commandLine += std::wstring(L" ") + kProtectedOption;
  if (options.overflowShown) commandLine += std::wstring(L" ") + kOverflowShownOption;
  if (options.slowMs) commandLine += std::wstring(L" ") + kSlowOption + std::to_wstring(options.slowMs);
  if (options.forwardToShell) commandLine += std::wstring(L" ") + kForwardOption;
  // A tray started while the previous test's tray is still going away can
  // fail to create its windows; a second start then succeeds.
  for (int attempt = 0; attempt < 3 && !window_; ++attempt) {
    if (process_.hProcess) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, kExitLimitMs);
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
      process_ = {};
      Sleep(200);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_))
      break;
    HANDLE either[2] = {ready, process_.hProcess};
    if (WaitForMultipleObjects(2, either, FALSE, kStartupLimitMs) == WAIT_OBJECT_0) window_ = windowOfProcess(L"Shell_TrayWnd");
  }
  CloseHandle(ready);
}

StandinTray::~StandinTray() {
  if (process_.hProcess) {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, window_ ? kExitLimitMs : 0) != WAIT_OBJECT_0)
      TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kExitLimitMs);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  DeleteFileW(tipsPath_.c_str());
  DeleteFileW(recordPath_.c_str());
}

int StandinTray::show(std::vector<std::string> visible, std::vector<std::string> hidden) {
  if (!window_ || !writeTips(visible, hidden)) return -1;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window_, kReloadTipsMessage, 0, 0, SMTO_NORMAL, kExitLimitMs, &answer)) return -1;
  return static_cast<int>(static_cast<LRESULT>(answer));
}

std::vector<NotifyRecord> StandinTray::notifyRecords() const {
  std::vector<NotifyRecord> records;
  std::ifstream file(recordPath_.c_str(), std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    NotifyRecord record;
    unsigned long long window = 0;
    std::string tip;
    fields >> std::dec >> record.operation >> std::hex >> window >> record.id >> record.flags >>
        record.callbackMessage >> tip;
    if (!fields && !fields.eof()) continue;
    record.window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(window));
    record.tip = unhex(tip);
    records.push_back(record);
  }
  return records;
}

bool StandinTray::writeTips(const std::vector<std::string>& visible, const std::vector<std::string>& hidden) const {
  std::string content;
  for (const std::string& tip : visible) content += tip + "\n";
  if (!hidden.empty()) content += std::string(kOverflowMarker) + "\n";
  for (const std::string& tip : hidden) content += tip + "\n";
  std::ofstream file(tipsPath_.c_str(), std::ios::binary | std::ios::trunc);
  file << content;
  return static_cast<bool>(file.flush());
}

HWND StandinTray::overflowWindow() const { return windowOfProcess(L"TopLevelWindowForOverflowXamlIsland"); }

HWND StandinTray::windowOfProcess(const wchar_t* className) const {
  for (HWND top = FindWindowExW(nullptr, nullptr, className, nullptr); top;
       top = FindWindowExW(nullptr, top, className, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(top, &owner);
    if (owner == process_.dwProcessId) return top;
  }
  return nullptr;
}

bool uiAutomationPresent() {
  constexpr CLSID kCUIAutomation = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
  const bool joined = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
  IUnknown* automation = nullptr;
  const bool present = SUCCEEDED(
      CoCreateInstance(kCUIAutomation, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&automation)));
  if (automation) automation->Release();
  if (joined) CoUninitialize();
  return present;
}

}  // namespace standin_tray
