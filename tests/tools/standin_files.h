#pragma once
// What the stand-in programs share: their own folder (where a test leaves
// instructions and reads the records), line records that several processes
// append to at once, and the process's creation time, which orders launches
// the way the shell started them.
#include <windows.h>
#include <shellapi.h>

#include <iterator>
#include <string>

namespace standin {

inline std::wstring ownFolder() {
  wchar_t path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

inline std::string toLocal(const std::wstring& text) {
  int n = WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string local(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), local.data(), n, nullptr, nullptr);
  return local;
}

inline std::wstring fromLocal(const std::string& text) {
  int n = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

inline std::string readFile(const std::wstring& path) {
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

// Appends `line` and CR LF in one write. The file is opened exclusively, so
// records of processes started together never interleave.
inline void appendLine(const std::wstring& path, const std::string& line) {
  const std::string record = line + "\r\n";
  for (int attempt = 0; attempt < 500; ++attempt) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      Sleep(10);
      continue;
    }
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return;
  }
}

// The creation time of this process, as 20 decimal digits.
inline std::string creationStamp() {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const unsigned long long ticks = (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  std::string digits = std::to_string(ticks);
  return std::string(20 - digits.size(), '0') + digits;
}

// The arguments after the program's name; more than one means the shell
// split what it was given.
inline std::wstring arguments() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::wstring joined;
  for (int i = 1; i < count; ++i) joined += (i > 1 ? L"\t" : L"") + std::wstring(argv[i]);
  LocalFree(argv);
  return joined;
}

// Records this launch in launches.log: creation time, a space, the URL.
inline void recordLaunch() {
  appendLine(ownFolder() + L"\\launches.log", creationStamp() + " " + toLocal(arguments()));
}

}  // namespace standin
