#pragma once
// Reading an answer on the request thread: its body in 1024-byte chunks,
// its raw header text, and whether the body is all that the answer
// announced. A body cut short (a read that failed, a connection closed
// before the announced length) is never taken for the whole body.
#include <cstddef>
#include <optional>
#include <string_view>

#include "platform/http_transport.h"
#include "text/text.h"
#include "web/request_in_flight.h"

namespace quorvane {

// Real pages are a few hundred KB; a server that sends without end must not
// take the process's memory with it.
inline constexpr std::size_t kLargestBody = 32u * 1024 * 1024;
inline constexpr std::size_t kRawHeaderBuffer = 5000;

// Reads until a read yields nothing; nothing when a read failed, the body
// grew past kLargestBody or the request was stopped.
std::optional<ByteArray> readResponseBody(RequestInFlight& request, TrackedHandle& handle);

// The raw header text in a 5000-byte buffer of spaces, up to its first NUL:
// 5000 spaces when the platform has none, it does not fit or the request
// was stopped.
LocalText readRawHeaders(TrackedHandle& handle);

// The length a "Content-Length" line announces; nothing without one, with
// a transfer encoding (the chunks then tell the length) or for a value that
// is no decimal number.
std::optional<std::size_t> announcedBodyLength(std::string_view rawHeaders);

// False when the answer announced more bytes than arrived.
bool isWholeBody(const ByteArray& body, std::string_view rawHeaders);

}  // namespace quorvane
