#pragma once
// Conversions between the web's UTF-8 and the program's local text, and the
// percent-encoding that puts a text into a URL.
#include <string_view>

#include "text/text.h"

namespace quorvane {

LocalText utf8ToLocal(std::string_view utf8);          // stops at a NUL
Utf16Text utf8ToUtf16(std::string_view utf8);
LocalText utf16ToLocal(std::u16string_view units);
ByteArray localToUtf8(std::string_view local);
// Includes the terminating NUL unit, as the platform call returns it.
Utf16Text codePageToUtf16(std::string_view text, unsigned codePage = 65001);
// `units` may end in a NUL unit; conversion stops there.
ByteArray utf16ToCodePage(std::u16string_view units, unsigned codePage = 0);

// Every byte of the UTF-8 form as "%XX"; with keepPlain, "," "-" "." "/",
// digits and ASCII letters stay as they are. On the UI thread it runs the
// window events that are waiting after every byte (web/ui_event_pump.h).
LocalText urlEncode(std::string_view local, bool keepPlain = false);

}  // namespace quorvane
