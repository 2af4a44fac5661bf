#pragma once
// The program's conversions between its local text (code page 936), the
// web's UTF-8 and UTF-16, all built on the one conversion the port provides
// (text/code_pages.h). Safe on any thread.
#include <string_view>

#include "text/text.h"

namespace quorvane {

LocalText utf8ToLocal(std::string_view utf8);          // stops at a NUL
Utf16Text utf8ToUtf16(std::string_view utf8);
LocalText utf16ToLocal(std::u16string_view units);
// The same in place of what `local` held, keeping its storage, with the
// UTF-16 form in between in `units`: a caller that keeps both converts page
// after page without allocating once the first page has. The input must not
// be `local`'s own text.
void utf8ToLocal(std::string_view utf8, LocalText& local, Utf16Text& units);
void utf16ToLocal(std::u16string_view units, LocalText& local);
ByteArray localToUtf8(std::string_view local);
// Every byte converted, NUL bytes too: the units the regex engine matches on.
Utf16Text localToUtf16(std::string_view local);
// Includes the terminating NUL unit, as the platform call returns it.
Utf16Text codePageToUtf16(std::string_view text, unsigned codePage = 65001);
// `units` may end in a NUL unit; conversion stops there.
ByteArray utf16ToCodePage(std::u16string_view units, unsigned codePage = 0);

}  // namespace quorvane
