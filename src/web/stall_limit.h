#pragma once
// How long a request may go without receiving a byte before it counts as
// failed. The platform's own time-outs cannot be relied on for it: Wine's
// WinInet applies none to a URL opened whole, nor to any request by default.
#include <chrono>
#include <string_view>

namespace quorvane {

inline constexpr std::chrono::milliseconds kStallLimit{30000};

// The platform's own connect, send and receive time-outs exceed the limit by
// this much: the limit is what ends a stalled request, the same way on every
// platform, and the platform's time-outs then free the thread a blocked call
// still holds.
inline constexpr std::chrono::milliseconds kPlatformTimeoutMargin{5000};

// Names a shorter limit in milliseconds, for tests only: a value that is no
// number, 0 or above kStallLimit leaves kStallLimit.
inline constexpr const char* kStallLimitVariable = "QUORVANE_STALL_LIMIT_MS";

std::chrono::milliseconds stallLimitFromText(std::string_view milliseconds);
std::chrono::milliseconds stallLimitFromEnvironment();

}  // namespace quorvane
