#include "web/plain_get.h"

#include "web/request_agent.h"
#include "web/response_reading.h"

namespace quorvane {

std::optional<ByteArray> runPlainGet(RequestInFlight& request, const LocalText& url,
                                     std::chrono::milliseconds timeout) {
  platform::HttpTransport& transport = request.transport();
  TrackedHandle root(request, transport.openRoot(LocalText(kDefaultAgent), std::nullopt));
  if (!root) return std::nullopt;
  // The URL's request is sent as it opens: only the root can carry the
  // time-outs to it (Wine does not pass them on; the client's own stall
  // limit covers that).
  transport.setTimeouts(root.get(), static_cast<std::uint32_t>(timeout.count()));
  TrackedHandle file(request, transport.openUrl(root.get(), url));
  if (!file) return std::nullopt;
  request.advanced();
  std::optional<ByteArray> body = readResponseBody(request, file.get());
  if (!body || !isWholeBody(*body, readRawHeaders(request, file.get()))) return std::nullopt;
  if (request.stopped()) return std::nullopt;
  return body;
}

}  // namespace quorvane
