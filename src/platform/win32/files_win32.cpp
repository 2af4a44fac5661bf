#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

#include "platform/files.h"

namespace quorvane::platform {
namespace {

// A virus scanner opens a freshly written file and holds it for a moment;
// meanwhile the swap is refused. Two seconds outlast such a scan. A folder
// that refuses new files does not change its mind in two seconds: that
// refusal is answered at once.
constexpr ULONGLONG kHeldFileWaitMs = 2000;
constexpr DWORD kHeldFileRetryMs = 50;

bool heldByAnotherProgram(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// Creating the temporary file was refused. Access denied with no file of
// that name there is the folder's refusal (Program Files, a read-only
// medium); with one there (a leftover still being deleted, or held) it is
// a file held elsewhere.
bool refusedByTheFolder(DWORD error, const std::wstring& temporary) {
  if (error == ERROR_WRITE_PROTECT) return true;
  if (error != ERROR_ACCESS_DENIED) return false;
  return GetFileAttributesW(temporary.c_str()) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND;
}

// Runs `attempt` until it succeeds, fails for another reason than `held`
// names, or the wait is over.
template <typename Attempt, typename Held>
bool retryWhileHeld(ULONGLONG giveUpAt, Attempt attempt, Held held) {
  for (;;) {
    if (attempt()) return true;
    if (!held(GetLastError()) || GetTickCount64() >= giveUpAt) return false;
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

// %LOCALAPPDATA% as the environment names it, so that a user (or a test)
// who points it elsewhere is followed; the profile's known folder otherwise.
// Read wide: the profile's path may hold characters GBK lacks.
std::optional<std::filesystem::path> perUserFolder() {
  std::wstring base(MAX_PATH, L'\0');
  DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", base.data(), static_cast<DWORD>(base.size()));
  if (n >= base.size()) {
    base.resize(n);
    n = GetEnvironmentVariableW(L"LOCALAPPDATA", base.data(), static_cast<DWORD>(base.size()));
  }
  base.resize(n < base.size() ? n : 0);
  if (base.empty()) {
    PWSTR known = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known)) && known) base = known;
    CoTaskMemFree(known);
  }
  if (base.empty()) return std::nullopt;
  return std::filesystem::path(base) / L"Quorvane";
}

bool createFolder(const std::filesystem::path& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool fileExists(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
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

FileWrite replaceWholeFile(const std::filesystem::path& path, const ByteArray& content) {
  const std::wstring target = path.wstring();
  const std::wstring temporary = target + L".tmp";
  const ULONGLONG giveUpAt = GetTickCount64() + kHeldFileWaitMs;

  HANDLE file = INVALID_HANDLE_VALUE;
  DWORD refusal = ERROR_SUCCESS;
  const auto create = [&] {
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    refusal = GetLastError();
    return file != INVALID_HANDLE_VALUE;
  };
  const auto creationHeld = [&](DWORD error) {
    return heldByAnotherProgram(error) || (error == ERROR_ACCESS_DENIED && !refusedByTheFolder(error, temporary));
  };
  retryWhileHeld(giveUpAt, create, creationHeld);
  if (file == INVALID_HANDLE_VALUE)
    return refusedByTheFolder(refusal, temporary) ? FileWrite::FolderDenied : FileWrite::Failed;
  const bool written = writeAll(file, content);
  CloseHandle(file);

  // The folder took the temporary file, so a refused swap is a file held
  // elsewhere: Windows answers access denied when the file to be replaced
  // is open, even where its holder shares deletion.
  const auto swap = [&] {
    return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  };
  const auto swapHeld = [](DWORD error) { return heldByAnotherProgram(error) || error == ERROR_ACCESS_DENIED; };
  const bool swapped = written && retryWhileHeld(giveUpAt, swap, swapHeld);
  if (!swapped) DeleteFileW(temporary.c_str());
  return swapped ? FileWrite::Written : FileWrite::Failed;
}

bool writeWholeFileAtomically(const std::filesystem::path& path, const ByteArray& content) {
  return replaceWholeFile(path, content) == FileWrite::Written;
}

bool deleteFile(const std::filesystem::path& path) { return DeleteFileW(path.c_str()) != 0; }

namespace {

FileEnd endOf(HANDLE file) {
  FileEnd end;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) return end;
  end.size = static_cast<std::uint64_t>(size.QuadPart);
  char last[2] = {};
  DWORD got = 0;
  LARGE_INTEGER at{};
  at.QuadPart = size.QuadPart - 2;
  end.endsWithLineBreak = size.QuadPart >= 2 && SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
                          ReadFile(file, last, 2, &got, nullptr) && got == 2 && last[0] == '\r' && last[1] == '\n';
  return end;
}

}  // namespace

// Append access without write access: every write lands at the end, so not
// even a fault of this program can overwrite what the file holds. Others may
// read the file meanwhile, not write it.
FileWrite appendToFile(const std::filesystem::path& path, const std::function<ByteArray(const FileEnd&)>& content,
                       bool waitWhileHeld) {
  const ULONGLONG giveUpAt = GetTickCount64() + (waitWhileHeld ? kHeldFileWaitMs : 0);
  HANDLE file = INVALID_HANDLE_VALUE;
  DWORD refusal = ERROR_SUCCESS;
  const auto open = [&] {
    file = CreateFileW(path.c_str(), FILE_APPEND_DATA | GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    refusal = GetLastError();
    return file != INVALID_HANDLE_VALUE;
  };
  retryWhileHeld(giveUpAt, open, heldByAnotherProgram);
  if (file == INVALID_HANDLE_VALUE) {
    const bool missing = GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    return missing && (refusal == ERROR_ACCESS_DENIED || refusal == ERROR_WRITE_PROTECT) ? FileWrite::FolderDenied
                                                                                         : FileWrite::Failed;
  }
  const ByteArray bytes = content(endOf(file));
  LARGE_INTEGER none{};
  const bool written = SetFilePointerEx(file, none, nullptr, FILE_END) && writeAll(file, bytes);
  CloseHandle(file);
  return written ? FileWrite::Written : FileWrite::Failed;
}

}  // namespace quorvane::platform
