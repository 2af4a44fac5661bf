#pragma once
#include <string_view>

#include "text/text.h"

namespace quorvane {

// What a response's raw header text means to the caller: the cookies it set
// (the first name=value of each "Set-Cookie" line, joined by ";"), where it
// points (the last line containing "Location:", else the whole header text),
// and the caller's cookie jar with those cookies folded in.
void scanResponseHeaders(std::string_view rawHeaders, LocalText& cookies,
                         LocalText& receivedCookies, LocalText& location);

}  // namespace quorvane
