#pragma once
// Local (GBK) text on its way into and out of the wide Windows APIs. The
// conversion names code page 936 itself, so Chinese captions read right
// whatever ANSI code page the system runs with.
#include <windows.h>

#include <string>
#include <string_view>

#include "web/text.h"

namespace quorvane {

std::wstring toWide(std::string_view local);
LocalText toLocal(std::wstring_view wide);

LocalText windowText(HWND window);
void setWindowText(HWND window, const LocalText& text);

}  // namespace quorvane
