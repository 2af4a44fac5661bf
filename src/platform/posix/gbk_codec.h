#pragma once
// Code page 936 exactly as Windows converts it, built on glibc's GBK table
// (iconv) and the few places where Windows goes further.
#include <string_view>

#include "text/text.h"

namespace quorvane::platform {

// A lead byte takes the next byte with it whatever it is (except a NUL); a
// pair or byte without a character becomes "?". In place of what `units`
// held.
void decodeGbk(std::string_view bytes, Utf16Text& units);

// A unit without a character becomes its best fit or "?"; with
// composeFirst, a letter followed by combining marks is first joined into
// one precomposed character where that gives a character the code page has.
// Appended to `bytes`.
void encodeGbk(std::u16string_view units, bool composeFirst, ByteArray& bytes);

}  // namespace quorvane::platform
