#pragma once
// The percent-encoding that puts a text into a URL.
#include <string_view>

#include "text/text.h"

namespace quorvane {

// Every byte of the UTF-8 form as "%XX"; with keepPlain, "," "-" "." "/",
// digits and ASCII letters stay as they are.
LocalText urlEncode(std::string_view local, bool keepPlain = false);

}  // namespace quorvane
