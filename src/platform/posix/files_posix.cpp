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

std::optional<ByteArray> readWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return content.str();
}

bool writeWholeFileAtomically(const std::filesystem::path& path, const ByteArray& content) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  return !error;
}

bool deleteFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::remove(path, error);
}

}  // namespace quorvane::platform
