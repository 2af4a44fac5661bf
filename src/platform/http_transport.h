#pragma once
// The operating system's HTTP(S) facility, one call per step of a request.
// The web engine decides everything a request is made of (headers, agent,
// redirect and TLS choices, the read loop); a transport only makes the calls
// it is told to, in the order it is told to, and reports what they gave.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "text/text.h"

namespace quorvane::platform {

// A root, connection, request or URL handle; kNoHandle when an open failed.
using HttpHandle = std::uintptr_t;
inline constexpr HttpHandle kNoHandle = 0;

// How one request is opened. Every request is also answered fresh (never
// from a cache) and leaves the platform's own cookie store alone: cookies
// travel only in the header text the engine writes.
struct HttpRequestOptions {
  bool secure = false;                  // over TLS
  bool followRedirects = true;          // false: the redirect answer itself is the result
  bool redirectToHttpsAllowed = false;  // a plain http request may be redirected to https
};

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;

  // A root handle presenting `agent`: direct access without a proxy list,
  // else through the listed proxies.
  virtual HttpHandle openRoot(const LocalText& agent, const std::optional<LocalText>& proxyList) = 0;
  // Connect, send and receive time-outs of every request made under `root`.
  virtual void setTimeouts(HttpHandle root, std::uint32_t milliseconds) = 0;
  virtual HttpHandle connect(HttpHandle root, const LocalText& host, std::uint16_t port) = 0;
  virtual HttpHandle openRequest(HttpHandle connection, const LocalText& verb, const LocalText& objectName,
                                 const HttpRequestOptions& options) = 0;
  // Sends the header text (CR LF separated lines) and the body unchanged.
  virtual bool send(HttpHandle request, std::string_view headerText, std::string_view body) = 0;
  // A plain GET of a whole URL, sent at once: redirects followed, the
  // platform's own headers, no cookies, never from a cache.
  virtual HttpHandle openUrl(HttpHandle root, const LocalText& url) = 0;

  // Reads the next bytes of the body into `buffer`: their count, 0 at the
  // end of the body, nothing when the read failed.
  virtual std::optional<std::size_t> read(HttpHandle request, std::span<char> buffer) = 0;
  // Copies the raw response header text (status and header lines, each
  // ended by CR LF, then an empty line) and a NUL into `buffer`; leaves the
  // buffer as it was when there is none or it does not fit.
  virtual void queryRawHeaders(HttpHandle request, std::span<char> buffer) = 0;

  // Closes a handle opened above; any thread may close it, once.
  virtual void close(HttpHandle handle) = 0;
};

// The system's transport (WinInet on Windows). It holds no state of its
// own; every caller may share it. The native test port has none: its tests
// hand the engine transports of their own.
std::shared_ptr<HttpTransport> systemHttpTransport();

}  // namespace quorvane::platform
