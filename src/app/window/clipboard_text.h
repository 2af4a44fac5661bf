#pragma once
// Putting text on the clipboard as Unicode text (CF_UNICODETEXT); the system
// offers it in the ANSI and OEM forms as well.
#include <windows.h>

#include <string_view>

namespace quorvane {

// False, leaving the clipboard as it was, when another program keeps it
// open for longer than a moment, or memory runs out.
bool putTextOnClipboard(HWND owner, std::wstring_view text);

}  // namespace quorvane
