#pragma once
// Finds an ASCII literal in bytes, ASCII letters compared without regard to
// case when asked; bytes from 0x80 up only ever match themselves, so such a
// literal never matches them. Horspool's scan keyed by the window's last two
// bytes (as glibc's memmem does): in markup, where single bytes of a
// literal are everywhere, byte pairs of it are rare, so most steps skip
// nearly a literal's length.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvane {

class ByteLiteralFinder {
 public:
  ByteLiteralFinder(std::string_view literal, bool ignoreLetterCase);

  size_t size() const { return literal_.size(); }
  // Start of the first occurrence at or after `from`, or npos; every byte
  // position is tried, character boundaries are the caller's business.
  size_t find(std::string_view text, size_t from) const;

 private:
  unsigned char folded(unsigned char byte) const { return fold_[byte]; }
  std::uint8_t pairHash(unsigned char first, unsigned char second) const;
  bool matchesAt(const unsigned char* at) const;

  std::string literal_;                  // letters folded when case is ignored
  std::array<unsigned char, 256> fold_;  // byte -> the byte it compares as
  // By the hash of the window's last two bytes: how far the literal can
  // move before a pair of it with that hash lines up with them.
  std::array<std::uint8_t, 256> shift_{};
  // After the last pair matched but the literal did not.
  size_t shiftAfterMismatch_ = 1;
};

}  // namespace quorvane
