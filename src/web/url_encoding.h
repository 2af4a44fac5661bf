#pragma once
// The percent-encoding that puts a text into a URL.
#include <string_view>

#include "text/text.h"

namespace quorvane {

// Every byte of the UTF-8 form as "%XX"; with keepPlain, "," "-" "." "/",
// digits and ASCII letters stay as they are. On the UI thread it runs the
// window events that are waiting after every byte (web/ui_event_pump.h).
LocalText urlEncode(std::string_view local, bool keepPlain = false);

}  // namespace quorvane
