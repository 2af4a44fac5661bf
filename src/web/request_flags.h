#pragma once
#include <cstdint>
#include <string_view>

namespace quorvane {

// The request flags of one request (WinInet's INTERNET_FLAG_* values): never
// from the cache, no platform cookies, TLS for https, redirects followed
// unless noRedirect (plain http may be redirected to https).
std::uint32_t requestFlags(std::string_view url, bool noRedirect);

}  // namespace quorvane
