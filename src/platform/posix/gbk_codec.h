#pragma once
// Code page 936 exactly as Windows converts it, built on glibc's GBK table
// (iconv) and the few places where Windows goes further.
#include <string_view>

#include "text/text.h"

namespace quorvane::platform {

// A lead byte takes the next byte with it whatever it is (except a NUL); a
// pair or byte without a character becomes "?".
Utf16Text decodeGbk(std::string_view bytes);

// A unit without a character becomes its best fit or "?"; with
// composeFirst, a letter followed by combining marks is first joined into
// one precomposed character where that gives a character the code page has.
ByteArray encodeGbk(std::u16string_view units, bool composeFirst);

}  // namespace quorvane::platform
