#pragma once
#include <string_view>

#include "platform/http_transport.h"

namespace quorvane {

// How a request for `url` is opened: over TLS when the URL is https,
// redirects followed unless noRedirect, and a plain http request may be
// redirected to https.
platform::HttpRequestOptions requestOptions(std::string_view url, bool noRedirect);

}  // namespace quorvane
