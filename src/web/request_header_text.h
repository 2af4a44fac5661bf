#pragma once
#include <string_view>

#include "text/text.h"

namespace quorvane {

// The header block a request sends: the caller's extra header lines
// (CR LF separated, no trailing CR LF), completed with a Referer naming the
// URL itself, Accept, Accept-Language and Content-Type lines where the
// caller's text has none (names compared case-sensitively), and a Cookie
// line whenever there are cookies.
LocalText requestHeaderText(std::string_view extraHeaders, std::string_view url,
                            std::string_view cookies);

}  // namespace quorvane
