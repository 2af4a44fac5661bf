#include <windows.h>
#include <wininet.h>

#include <new>

#include "platform/web_client.h"
#include "web/request_agent.h"

namespace quorvane::platform {
namespace {

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
  ~InternetHandle() {
    if (handle_) InternetCloseHandle(handle_);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  explicit operator bool() const { return handle_ != nullptr; }
  HINTERNET get() const { return handle_; }

 private:
  HINTERNET handle_;
};

}  // namespace

ByteArray plainHttpGet(const LocalText& url) {
  const LocalText agent(kDefaultAgent);
  InternetHandle root(InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  if (!root) return {};
  constexpr DWORD kFlags =
      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
  InternetHandle file(InternetOpenUrlA(root.get(), url.c_str(), nullptr, 0, kFlags, 0));
  if (!file) return {};
  ByteArray body;
  try {
    char chunk[4096];
    DWORD count = 0;
    while (InternetReadFile(file.get(), chunk, sizeof chunk, &count) && count > 0) {
      body.append(chunk, count);
      count = 0;
    }
  } catch (const std::bad_alloc&) {
    return {};
  }
  return body;
}

}  // namespace quorvane::platform
