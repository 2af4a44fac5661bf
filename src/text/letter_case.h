#pragma once
// ASCII letter case in local text. The second byte of a double-byte GBK
// character can look like a Latin letter: it is never folded, and a match
// never starts on it.
#include <cstddef>
#include <string_view>

#include "text/text.h"

namespace quorvane {

LocalText toLowerLetters(std::string_view text);

// Byte offset of the first `needle` at or after `from`, ASCII letters
// compared without regard to case; npos when there is none.
std::size_t findIgnoringLetterCase(std::string_view text, std::string_view needle,
                                   std::size_t from = 0);

}  // namespace quorvane
