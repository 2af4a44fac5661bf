#pragma once
// webFetch's steps, run on a request thread: open a root handle, connect,
// open the request, send the header text and body, read the body and the
// raw header text, close everything, then fold the answer's headers into
// the arguments.
#include <chrono>
#include <optional>

#include "text/text.h"
#include "web/request_in_flight.h"
#include "web/web_fetch_arguments.h"

namespace quorvane {

// The body, with the in/out and out arguments rewritten; also an empty body
// for a request that could not be sent, for which `sent`, when given, is set
// to false. Nothing for a failed request: a handle that did not open, a body
// cut short or too large, a stop. The platform's connect, send and receive
// time-outs are `timeout`.
std::optional<ByteArray> runWebFetch(RequestInFlight& request, const WebFetchArguments& arguments,
                                     std::chrono::milliseconds timeout, bool* sent = nullptr);

}  // namespace quorvane
