#pragma once
// Local text in the form the wide Windows calls take, and back. The units
// are those of Utf16Text (text/text.h), held as wchar_t, which is a UTF-16
// unit on Windows only; the conversion is the one of text/code_pages.h,
// with code page 936 named, so Chinese reads right whatever ANSI code page
// the system runs with. Windows only: resolved beside that conversion in
// platform/win32/code_pages_win32.cpp.
#include <string>
#include <string_view>

#include "text/text.h"

namespace quorvane {

// Empty for empty input or when the system refuses the conversion.
std::wstring toWide(std::string_view local);

// Characters code page 936 lacks become "?"; NUL units are left out, which
// local text never holds. Empty on refusal.
LocalText toLocal(std::wstring_view wide);

}  // namespace quorvane
