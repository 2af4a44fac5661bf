#pragma once
// The conversion between a code page and UTF-16 as the operating system does
// it, which every conversion of text/encodings.h is built on. Each port
// resolves it: MultiByteToWideChar / WideCharToMultiByte on Windows
// (platform/win32/code_pages_win32.cpp), a codec of its own that converts as
// Windows does for the native tests (platform/posix/code_pages_iconv.cpp).
//
// Both write into the caller's string, whose storage is kept: a caller that
// converts page after page into the same strings allocates once.
#include <string_view>

#include "text/text.h"

namespace quorvane {

inline constexpr unsigned kAnsiCodePage = 0;        // the system's ANSI code page
inline constexpr unsigned kCompositeCheck = 0x200;  // WC_COMPOSITECHECK

// Bytes in `codePage` to UTF-16 units, in place of what `units` held;
// malformed UTF-8 becomes U+FFFD. False, with `units` empty, on refusal.
// Empty bytes give no units and true.
bool multiByteToUtf16(std::string_view bytes, unsigned codePage, Utf16Text& units);

// UTF-16 units to bytes in `codePage`, appended to `bytes`; characters the
// code page lacks become "?". False, with nothing appended, on refusal.
bool utf16ToMultiByte(std::u16string_view units, unsigned codePage, unsigned flags, ByteArray& bytes);

// The same into fresh strings; empty on refusal.
inline Utf16Text multiByteToUtf16(std::string_view bytes, unsigned codePage) {
  Utf16Text units;
  multiByteToUtf16(bytes, codePage, units);
  return units;
}

inline ByteArray utf16ToMultiByte(std::u16string_view units, unsigned codePage, unsigned flags) {
  ByteArray bytes;
  utf16ToMultiByte(units, codePage, flags, bytes);
  return bytes;
}

}  // namespace quorvane
