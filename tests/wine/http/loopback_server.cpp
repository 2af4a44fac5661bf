#include "loopback_server.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <sstream>
#include <thread>

#include "platform/files.h"

namespace quorvane::testing {
namespace {

std::filesystem::path stateFolder() { return platform::executableFolder() / "http-server"; }

}  // namespace

LoopbackServer::LoopbackServer() {
  std::istringstream ports(platform::readWholeFile(stateFolder() / "ports.txt").value_or(""));
  std::string name;
  int port = 0;
  while (ports >> name >> port) {
    if (name == "http") http_ = port;
    if (name == "https") https_ = port;
    if (name == "closed") closed_ = port;
  }
}

std::string LoopbackServer::httpUrl(std::string_view pathAndQuery) const {
  return "http://127.0.0.1:" + std::to_string(http_) + std::string(pathAndQuery);
}

std::string LoopbackServer::httpsUrl(std::string_view pathAndQuery) const {
  return "https://localhost:" + std::to_string(https_) + std::string(pathAndQuery);
}

std::string LoopbackServer::refusedUrl(std::string_view pathAndQuery) const {
  return "http://127.0.0.1:" + std::to_string(closed_) + std::string(pathAndQuery);
}

std::string LoopbackServer::proxyAddress() const { return "127.0.0.1:" + std::to_string(http_); }

bool LoopbackServer::waitForMarker(std::string_view name) const {
  const std::filesystem::path path = stateFolder() / "stalled" / std::string(name);
  for (int attempt = 0; attempt < 600; ++attempt) {
    if (platform::readWholeFile(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

std::string queryValue(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (unsigned char c : text) {
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
      encoded += static_cast<char>(c);
    } else {
      encoded += {'%', kHex[c >> 4], kHex[c & 15]};
    }
  }
  return encoded;
}

ByteArray patternBytes(std::size_t count) {
  ByteArray bytes(count, '\0');
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(i % 251);
  return bytes;
}

EchoedRequest parseEcho(const ByteArray& echo) {
  EchoedRequest request;
  std::size_t end = echo.find("\r\n\r\n");
  std::string head = echo.substr(0, end);
  if (end != ByteArray::npos) request.body = echo.substr(end + 4);
  std::size_t start = 0;
  bool first = true;
  while (start <= head.size()) {
    std::size_t stop = head.find("\r\n", start);
    std::string line = head.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
    if (first) {
      request.requestLine = line;
      first = false;
    } else {
      request.headerLines.push_back(line);
    }
    if (stop == std::string::npos) break;
    start = stop + 2;
  }
  return request;
}

std::optional<std::string> EchoedRequest::header(std::string_view name) const {
  for (const std::string& line : headerLines) {
    if (line.size() > name.size() && line[name.size()] == ':' &&
        std::equal(name.begin(), name.end(), line.begin(),
                   [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); })) {
      std::size_t value = line.find_first_not_of(' ', name.size() + 1);
      return value == std::string::npos ? "" : line.substr(value);
    }
  }
  return std::nullopt;
}

}  // namespace quorvane::testing
