#pragma once
#include <optional>
#include <string_view>

#include "text/text.h"

namespace quorvane {

// What a response's raw header text means to the caller: the cookies it set
// (the first name=value of each "Set-Cookie" line, joined by ";"), where it
// points (the last line containing "Location:", else the whole header text),
// and the caller's cookie jar with those cookies folded in.
void scanResponseHeaders(std::string_view rawHeaders, LocalText& cookies,
                         LocalText& receivedCookies, LocalText& location);

// The status code of the header text's status line ("HTTP/1.1 404 Not
// Found" gives 404); nothing when the text does not start with one, as for
// a request that was never answered.
std::optional<int> responseStatus(std::string_view rawHeaders);

}  // namespace quorvane
