#pragma once
// The three kinds of text the program handles. They share representations,
// so the names are what keeps them apart: convert only at the edges.
#include <string>

namespace quorvane {

// Text in the local code page 936 (GBK): every control text, pattern, id and
// file entry. Never contains a NUL byte.
using LocalText = std::string;

// Raw bytes (a response body, UTF-8 text); may hold any byte, NUL included.
using ByteArray = std::string;

// UTF-16 code units, as the wide Windows APIs take them.
using Utf16Text = std::u16string;

// The code pages the program names: its own local text and the web's UTF-8.
inline constexpr unsigned kLocalCodePage = 936;
inline constexpr unsigned kUtf8CodePage = 65001;

}  // namespace quorvane
