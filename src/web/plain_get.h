#pragma once
// The plain GET of the shop lookup, run on a request thread: the platform's
// own request for a whole URL (its own headers, redirects followed, no
// cookies), under the same time-outs, size limit and checks of a whole body
// as webFetch.
#include <chrono>
#include <optional>

#include "text/text.h"
#include "web/request_in_flight.h"

namespace quorvane {

// The body bytes; nothing for a failed request.
std::optional<ByteArray> runPlainGet(RequestInFlight& request, const LocalText& url,
                                     std::chrono::milliseconds timeout);

}  // namespace quorvane
