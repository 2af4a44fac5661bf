#pragma once
// Walking local text character by character. A GBK double-byte character is
// a lead byte 0x81-0xFE and a trail byte 0x40-0x7E or 0x80-0xFE; a trail byte
// may look like an ASCII letter or sign, so byte searches must only start
// where a character starts. A lead byte without a valid trail stands alone.
#include <cstddef>
#include <string_view>

namespace quorvane {

inline bool isGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

inline bool isGbkTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFE);
}

// The byte length (1 or 2) of the character that starts at `at` < size.
inline size_t gbkCharacterLength(std::string_view text, size_t at) {
  const bool pair = isGbkLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() &&
                    isGbkTrailByte(static_cast<unsigned char>(text[at + 1]));
  return pair ? 2 : 1;
}

// The first character boundary at or after `from` (text.size() at most when
// `from` is within the text).
inline size_t gbkBoundaryAtOrAfter(std::string_view text, size_t from) {
  size_t at = 0;
  while (at < from && at < text.size()) at += gbkCharacterLength(text, at);
  return at;
}

}  // namespace quorvane
