#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/files.h"

namespace quorvane::platform {
namespace {

// A virus scanner opens a freshly written file and holds it for a moment;
// meanwhile the swap is refused. Two seconds outlast such a scan.
constexpr ULONGLONG kHeldFileWaitMs = 2000;
constexpr DWORD kHeldFileRetryMs = 50;

bool heldByAnotherProgram(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED; }

// Runs `attempt` until it succeeds, fails for another reason than a file
// held open elsewhere, or the wait is over.
template <typename Attempt>
bool retryWhileHeld(ULONGLONG giveUpAt, Attempt attempt) {
  for (;;) {
    if (attempt()) return true;
    if (!heldByAnotherProgram(GetLastError()) || GetTickCount64() >= giveUpAt) return false;
    Sleep(kHeldFileRetryMs);
  }
}

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

std::filesystem::path executableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return L".";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return std::filesystem::path(path).parent_path();
}

std::optional<ByteArray> readWholeFile(const std::filesystem::path& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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

bool writeWholeFileAtomically(const std::filesystem::path& path, const ByteArray& content) {
  const std::wstring target = path.wstring();
  const std::wstring temporary = target + L".tmp";
  const ULONGLONG giveUpAt = GetTickCount64() + kHeldFileWaitMs;
  HANDLE file = INVALID_HANDLE_VALUE;
  retryWhileHeld(giveUpAt, [&] {
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    return file != INVALID_HANDLE_VALUE;
  });
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = writeAll(file, content);
  CloseHandle(file);
  bool swapped = written && retryWhileHeld(giveUpAt, [&] {
    return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  });
  if (!swapped) DeleteFileW(temporary.c_str());
  return swapped;
}

bool deleteFile(const std::filesystem::path& path) { return DeleteFileW(path.c_str()) != 0; }

}  // namespace quorvane::platform
