#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/files.h"

namespace quorvane::platform {

std::filesystem::path executableFolder() {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path(".") : self.parent_path();
}

// $LOCALAPPDATA where set (the tests set it), else ~/.local/share.
std::optional<std::filesystem::path> perUserFolder() {
  if (const char* base = std::getenv("LOCALAPPDATA"); base && *base) return std::filesystem::path(base) / "Quorvane";
  if (const char* home = std::getenv("HOME"); home && *home)
    return std::filesystem::path(home) / ".local" / "share" / "Quorvane";
  return std::nullopt;
}

bool createFolder(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::create_directory(path, error);
  return std::filesystem::is_directory(path, error);
}

bool fileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::optional<ByteArray> readWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return content.str();
}

FileWrite replaceWholeFile(const std::filesystem::path& path, const ByteArray& content) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return errno == EACCES || errno == EPERM || errno == EROFS ? FileWrite::FolderDenied : FileWrite::Failed;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) return FileWrite::Failed;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  return error ? FileWrite::Failed : FileWrite::Written;
}

bool writeWholeFileAtomically(const std::filesystem::path& path, const ByteArray& content) {
  return replaceWholeFile(path, content) == FileWrite::Written;
}

FileWrite appendToFile(const std::filesystem::path& path, const std::function<ByteArray(const FileEnd&)>& content,
                       bool) {
  FileEnd end;
  if (std::optional<ByteArray> existing = readWholeFile(path)) {
    end.size = existing->size();
    end.endsWithLineBreak = existing->size() >= 2 && existing->compare(existing->size() - 2, 2, "\r\n") == 0;
  }
  std::ofstream out(path, std::ios::binary | std::ios::app);
  if (!out) return errno == EACCES || errno == EPERM || errno == EROFS ? FileWrite::FolderDenied : FileWrite::Failed;
  const ByteArray bytes = content(end);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  return out ? FileWrite::Written : FileWrite::Failed;
}

bool deleteFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::remove(path, error);
}

}  // namespace quorvane::platform
