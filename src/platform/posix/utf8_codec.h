#pragma once
// UTF-8 as the Windows converter reads and writes it: every malformed
// stretch (a maximal subpart of a sequence, or a stray byte) becomes one
// U+FFFD, and so does a lone surrogate on the way out.
#include <string_view>

#include "text/text.h"

namespace quorvane::platform {

// In place of what `units` held.
void decodeUtf8(std::string_view bytes, Utf16Text& units);
// Appended to `bytes`.
void encodeUtf8(std::u16string_view units, ByteArray& bytes);

}  // namespace quorvane::platform
