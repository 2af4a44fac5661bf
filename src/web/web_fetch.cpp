#include "web/web_fetch.h"

#include "web/request_agent.h"
#include "web/request_header_text.h"
#include "web/request_method.h"
#include "web/request_options.h"
#include "web/request_proxy.h"
#include "web/response_header_scan.h"
#include "web/response_reading.h"
#include "web/url_parts.h"

namespace quorvane {
namespace {

using platform::HttpHandle;
using platform::HttpTransport;

struct Answer {
  ByteArray body;
  LocalText rawHeaders;
};

// The answer to a request, nothing when it was cut short. A request that
// was never sent has no answer to read: its one read fails, and the answer
// is an empty body with a header text of spaces (Wine would answer the
// header query with an empty header set, Windows leaves the buffer alone).
std::optional<Answer> readAnswer(RequestInFlight& request, TrackedHandle& handle, bool sent) {
  std::optional<ByteArray> body = readResponseBody(request, handle);
  if (!sent) return Answer{ByteArray(), LocalText(kRawHeaderBuffer, ' ')};
  if (!body) return std::nullopt;
  LocalText rawHeaders = readRawHeaders(handle);
  if (!isWholeBody(*body, rawHeaders)) return std::nullopt;
  return Answer{std::move(*body), std::move(rawHeaders)};
}

// Fills the caller's out arguments from the answer's header text.
void deliverHeaderResults(const WebFetchArguments& a, LocalText cookies, const LocalText& rawHeaders) {
  LocalText receivedCookies, location;
  scanResponseHeaders(rawHeaders, cookies, receivedCookies, location);
  if (a.cookies) *a.cookies = cookies;
  if (a.receivedCookies) *a.receivedCookies = receivedCookies;
  if (a.location) *a.location = location;
  if (a.rawHeaders) *a.rawHeaders = rawHeaders;
}

}  // namespace

std::optional<ByteArray> runWebFetch(RequestInFlight& request, const WebFetchArguments& a,
                                     std::chrono::milliseconds timeout, bool* sentOut) {
  const auto timeoutMs = static_cast<std::uint32_t>(timeout.count());
  const int method = a.method.value_or(0);
  const LocalText extraHeaders = a.extraHeaders ? *a.extraHeaders : LocalText();

  const auto setTimeouts = [timeoutMs](HttpTransport& t, HttpHandle h) { t.setTimeouts(h, timeoutMs); };

  TrackedHandle root(request, request.openRoot(requestAgent(extraHeaders), requestProxyList(a.url, a.proxyAddress)));
  if (!root) return std::nullopt;
  root.use(setTimeouts);
  const int port = urlPort(a.url);
  if (port < 0 || port > 0xFFFF) return std::nullopt;  // would wrap round to another port
  TrackedHandle connection(request, root.open([&](HttpTransport& t, HttpHandle h) {
    return t.connect(h, urlHost(a.url), static_cast<std::uint16_t>(port));
  }));
  if (!connection) return std::nullopt;
  TrackedHandle handle(request, connection.open([&](HttpTransport& t, HttpHandle h) {
    return t.openRequest(h, requestVerb(method), urlPath(a.url), requestOptions(a.url, a.noRedirect.value_or(false)));
  }));
  if (!handle) return std::nullopt;
  // Wine takes time-outs from the connection or the request, not the root.
  handle.use(setTimeouts);

  const LocalText cookies = a.cookies ? *a.cookies : LocalText();
  const LocalText headerText = requestHeaderText(extraHeaders, a.url, cookies);
  if (a.extraHeaders) *a.extraHeaders = headerText;
  ByteArray ownBodyBytes;
  const ByteArray body = requestBody(method, a.bodyText.value_or(LocalText()),
                                     a.bodyBytes ? *a.bodyBytes : ownBodyBytes);
  bool sent = false;
  handle.useBlocking([&](HttpTransport& t, HttpHandle h) { sent = t.send(h, headerText, body); });
  if (sentOut) *sentOut = sent;
  if (sent) request.advanced();
  std::optional<Answer> answer = readAnswer(request, handle, sent);
  if (!answer || request.stopped()) return std::nullopt;
  handle.close();
  connection.close();
  root.close();

  deliverHeaderResults(a, cookies, answer->rawHeaders);
  return std::move(answer->body);
}

}  // namespace quorvane
