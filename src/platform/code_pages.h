#pragma once
// Code-page conversion as the operating system provides it. Resolved per
// port: MultiByteToWideChar / WideCharToMultiByte on Windows, iconv elsewhere.
#include <string_view>

#include "text/text.h"

namespace quorvane::platform {

using quorvane::kLocalCodePage;
using quorvane::kUtf8CodePage;
constexpr unsigned kAnsiCodePage = 0;  // the system's ANSI code page
constexpr unsigned kCompositeCheck = 0x200;  // WC_COMPOSITECHECK

// Bytes in `codePage` to UTF-16 units; malformed UTF-8 becomes U+FFFD.
// Empty on refusal.
Utf16Text multiByteToUtf16(std::string_view bytes, unsigned codePage);

// UTF-16 units to bytes in `codePage`; characters the code page lacks become
// "?". Empty on refusal.
ByteArray utf16ToMultiByte(std::u16string_view units, unsigned codePage, unsigned flags);

}  // namespace quorvane::platform
