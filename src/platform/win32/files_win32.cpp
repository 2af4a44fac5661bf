#include <windows.h>

#include <string>

#include "platform/files.h"
#include "text/wide_text.h"

namespace quorvane::platform {
namespace {

// Paths are local (GBK) text; the wide file APIs take them whatever the
// system's ANSI code page is.
std::wstring widePath(const LocalText& path) { return toWide(path); }

bool writeAll(HANDLE file, const ByteArray& content) {
  size_t done = 0;
  while (done < content.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, content.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return FlushFileBuffers(file) != 0;
}

}  // namespace

LocalText executableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return ".";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? LocalText(".") : toLocal(path.substr(0, slash));
}

std::optional<ByteArray> readWholeFile(const LocalText& path) {
  HANDLE file = CreateFileW(widePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  ByteArray content;
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) content.append(buffer, got);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return content;
}

bool writeWholeFileAtomically(const LocalText& path, const ByteArray& content) {
  const std::wstring target = widePath(path);
  const std::wstring temporary = target + L".tmp";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = writeAll(file, content);
  CloseHandle(file);
  if (!written || !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

bool deleteFile(const LocalText& path) { return DeleteFileW(widePath(path).c_str()) != 0; }

}  // namespace quorvane::platform
