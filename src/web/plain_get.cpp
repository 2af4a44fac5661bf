#include "web/plain_get.h"

#include "web/request_agent.h"
#include "web/response_reading.h"

namespace quorvane {

std::optional<ByteArray> runPlainGet(RequestInFlight& request, const LocalText& url,
                                     std::chrono::milliseconds timeout) {
  using platform::HttpHandle;
  using platform::HttpTransport;
  TrackedHandle root(request, request.openRoot(LocalText(kDefaultAgent), std::nullopt));
  if (!root) return std::nullopt;
  // The URL's request is sent as it opens: only the root can carry the
  // time-outs to it (Wine does not pass them on; the client's own stall
  // limit covers that).
  root.use([&](HttpTransport& t, HttpHandle h) { t.setTimeouts(h, static_cast<std::uint32_t>(timeout.count())); });
  HttpHandle opened = platform::kNoHandle;
  root.useBlocking([&](HttpTransport& t, HttpHandle h) { opened = t.openUrl(h, url); });
  TrackedHandle file(request, opened);
  if (!file) return std::nullopt;
  request.advanced();
  std::optional<ByteArray> body = readResponseBody(request, file);
  if (!body || !isWholeBody(*body, readRawHeaders(file))) return std::nullopt;
  if (request.stopped()) return std::nullopt;
  return body;
}

}  // namespace quorvane
