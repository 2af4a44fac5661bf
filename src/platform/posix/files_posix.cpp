#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "platform/files.h"

namespace quorvane::platform {

LocalText executableFolder() {
  char buffer[4096];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  LocalText path(buffer, static_cast<size_t>(n));
  size_t slash = path.rfind('/');
  return slash == LocalText::npos ? LocalText(".") : path.substr(0, slash);
}

std::optional<ByteArray> readWholeFile(const LocalText& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return content.str();
}

bool writeWholeFileAtomically(const LocalText& path, const ByteArray& content) {
  const LocalText temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) return false;
  }
  return std::rename(temporary.c_str(), path.c_str()) == 0;
}

bool deleteFile(const LocalText& path) { return std::remove(path.c_str()) == 0; }

}  // namespace quorvane::platform
