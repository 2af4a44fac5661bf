// The HTTP transport through WinInet: each call of the interface is one
// WinInet call (three option calls for the time-outs), with the arguments
// the engine gives.
#include <windows.h>
#include <wininet.h>

#include "platform/http_transport.h"
#include "platform/win32/wininet_request_flags.h"

namespace quorvane::platform {
namespace {

// The shop lookup's GET: never from the cache nor into it, no cookie store,
// no dialog of WinInet's own.
constexpr DWORD kPlainGetFlags =
    INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;

HINTERNET internet(HttpHandle handle) { return reinterpret_cast<HINTERNET>(handle); }
HttpHandle handleOf(HINTERNET internet) { return reinterpret_cast<HttpHandle>(internet); }

class WinInetTransport final : public HttpTransport {
 public:
  HttpHandle openRoot(const LocalText& agent, const std::optional<LocalText>& proxyList) override {
    if (!proxyList) return handleOf(InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, "", "", 0));
    return handleOf(InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxyList->c_str(), "", 0));
  }

  void setTimeouts(HttpHandle handle, std::uint32_t milliseconds) override {
    DWORD value = milliseconds;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
      InternetSetOptionA(internet(handle), option, &value, sizeof value);
  }

  HttpHandle connect(HttpHandle root, const LocalText& host, std::uint16_t port) override {
    return handleOf(InternetConnectA(internet(root), host.c_str(), port, "", "", INTERNET_SERVICE_HTTP, 0, 0));
  }

  HttpHandle openRequest(HttpHandle connection, const LocalText& verb, const LocalText& objectName,
                         const HttpRequestOptions& options) override {
    return handleOf(HttpOpenRequestA(internet(connection), verb.c_str(), objectName.c_str(), "HTTP/1.1", nullptr,
                                     nullptr, wininetRequestFlags(options), 0));
  }

  bool send(HttpHandle request, std::string_view headerText, std::string_view body) override {
    return HttpSendRequestA(internet(request), headerText.data(), static_cast<DWORD>(headerText.size()),
                            body.empty() ? nullptr : const_cast<char*>(body.data()),
                            static_cast<DWORD>(body.size())) != FALSE;
  }

  HttpHandle openUrl(HttpHandle root, const LocalText& url) override {
    return handleOf(InternetOpenUrlA(internet(root), url.c_str(), nullptr, 0, kPlainGetFlags, 0));
  }

  std::optional<std::size_t> read(HttpHandle request, std::span<char> buffer) override {
    DWORD count = 0;
    if (!InternetReadFile(internet(request), buffer.data(), static_cast<DWORD>(buffer.size()), &count))
      return std::nullopt;
    return count;
  }

  void queryRawHeaders(HttpHandle request, std::span<char> buffer) override {
    DWORD length = static_cast<DWORD>(buffer.size());
    HttpQueryInfoA(internet(request), HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr);
  }

  void close(HttpHandle handle) override { InternetCloseHandle(internet(handle)); }
};

}  // namespace

std::shared_ptr<HttpTransport> systemHttpTransport() {
  static const auto transport = std::make_shared<WinInetTransport>();
  return transport;
}

}  // namespace quorvane::platform
