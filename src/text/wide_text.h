#pragma once
// The one conversion between byte text and the UTF-16 that the wide Windows
// APIs take. Every Windows-side file converts through it, so code page 936 is
// named explicitly everywhere and Chinese reads right whatever ANSI code page
// the system runs with. Built for Windows only (wide_text_win32.cpp).
#include <string>
#include <string_view>

#include "text/text.h"

namespace quorvane {

// `bytes` in `codePage` to UTF-16; empty for empty input or when the system
// refuses the conversion.
std::wstring toWide(std::string_view bytes, unsigned codePage = kLocalCodePage);

// UTF-16 to bytes in `codePage` with the given WideCharToMultiByte flags;
// characters the code page lacks become "?". Empty on refusal.
std::string fromWide(std::wstring_view wide, unsigned codePage = kLocalCodePage, unsigned flags = 0);

// UTF-16 to local text: fromWide in code page 936, without NUL bytes, which
// local text never holds.
LocalText toLocal(std::wstring_view wide);

}  // namespace quorvane
