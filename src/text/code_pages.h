#pragma once
// The conversion between a code page and UTF-16 as the operating system does
// it, which every conversion of text/encodings.h is built on. Each port
// resolves it: MultiByteToWideChar / WideCharToMultiByte on Windows
// (platform/win32/code_pages_win32.cpp), a codec of its own that converts as
// Windows does for the native tests (platform/posix/code_pages_iconv.cpp).
#include <string_view>

#include "text/text.h"

namespace quorvane {

inline constexpr unsigned kAnsiCodePage = 0;        // the system's ANSI code page
inline constexpr unsigned kCompositeCheck = 0x200;  // WC_COMPOSITECHECK

// Bytes in `codePage` to UTF-16 units; malformed UTF-8 becomes U+FFFD.
// Empty on refusal.
Utf16Text multiByteToUtf16(std::string_view bytes, unsigned codePage);

// UTF-16 units to bytes in `codePage`; characters the code page lacks become
// "?". Empty on refusal.
ByteArray utf16ToMultiByte(std::u16string_view units, unsigned codePage, unsigned flags);

}  // namespace quorvane
