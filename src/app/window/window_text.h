#pragma once
// Window texts as local (GBK) text, through the wide Windows APIs.
#include <windows.h>

#include <string>
#include <string_view>

#include "text/wide_text.h"

namespace quorvane {

LocalText windowText(HWND window);
void setWindowText(HWND window, const LocalText& text);

}  // namespace quorvane
