#pragma once
#include <string_view>

#include "text/text.h"

namespace quorvane {

// Method 1 is a POST; every other method is a GET.
LocalText requestVerb(int method);

// The body a request sends: none for method 0. Any other method sends the
// body bytes, which are first filled from the body text when they are empty.
ByteArray requestBody(int method, std::string_view bodyText, ByteArray& bodyBytes);

}  // namespace quorvane
