#include "text/byte_literal_finder.h"

#include <algorithm>

namespace quorvane {
namespace {

constexpr size_t kLongestShift = 255;

}  // namespace

ByteLiteralFinder::ByteLiteralFinder(std::string_view literal, bool ignoreLetterCase) {
  for (unsigned byte = 0; byte < fold_.size(); ++byte) {
    const bool capital = ignoreLetterCase && byte >= 'A' && byte <= 'Z';
    fold_[byte] = static_cast<unsigned char>(capital ? byte + 32 : byte);
  }
  for (char c : literal) literal_.push_back(static_cast<char>(folded(static_cast<unsigned char>(c))));
  if (literal_.size() < 2) return;
  // Shifts are kept in a byte; a longer literal only moves more slowly.
  const size_t last = literal_.size() - 1;
  const auto at = [this](size_t i) { return static_cast<unsigned char>(literal_[i]); };
  shift_.fill(static_cast<std::uint8_t>(std::min(last, kLongestShift)));
  for (size_t i = 1; i < last; ++i)
    shift_[pairHash(at(i - 1), at(i))] = static_cast<std::uint8_t>(std::min(last - i, kLongestShift));
  const std::uint8_t lastPair = pairHash(at(last - 1), at(last));
  shiftAfterMismatch_ = std::max<size_t>(shift_[lastPair], 1);
  shift_[lastPair] = 0;
}

std::uint8_t ByteLiteralFinder::pairHash(unsigned char first, unsigned char second) const {
  return static_cast<std::uint8_t>(second - (first << 3));
}

size_t ByteLiteralFinder::find(std::string_view text, size_t from) const {
  constexpr size_t kNotFound = std::string_view::npos;
  if (literal_.empty()) return from <= text.size() ? from : kNotFound;
  if (literal_.size() > text.size() || from > text.size() - literal_.size()) return kNotFound;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  if (literal_.size() == 1) {
    for (size_t at = from; at < text.size(); ++at) {
      if (folded(bytes[at]) == static_cast<unsigned char>(literal_[0])) return at;
    }
    return kNotFound;
  }
  const size_t last = literal_.size() - 1;
  const size_t fullShift = std::min(last, kLongestShift);
  for (size_t start = from; start + last < text.size();) {
    const size_t shift = shift_[pairHash(folded(bytes[start + last - 1]), folded(bytes[start + last]))];
    // A pair the literal lacks is by far the most frequent case: a branch
    // taken on it lets the processor load the next window without waiting
    // for this lookup.
    if (shift == fullShift) {
      start += fullShift;
    } else if (shift != 0) {
      start += shift;
    } else if (matchesAt(bytes + start)) {
      return start;
    } else {
      start += shiftAfterMismatch_;
    }
  }
  return kNotFound;
}

bool ByteLiteralFinder::matchesAt(const unsigned char* at) const {
  for (size_t i = 0; i < literal_.size(); ++i) {
    if (folded(at[i]) != static_cast<unsigned char>(literal_[i])) return false;
  }
  return true;
}

}  // namespace quorvane
