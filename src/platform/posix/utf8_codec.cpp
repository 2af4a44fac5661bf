#include "platform/posix/utf8_codec.h"

namespace quorvane::platform {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The range the second byte must lie in after `lead`; it excludes overlong
// forms, encoded surrogates and values above U+10FFFF. {0, 0} for a byte
// that cannot start a sequence.
struct SecondByteRange {
  unsigned char low, high;
  int length;
};

SecondByteRange rangeAfter(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {0x80, 0xBF, 2};
  if (lead == 0xE0) return {0xA0, 0xBF, 3};
  if (lead == 0xED) return {0x80, 0x9F, 3};
  if (lead >= 0xE1 && lead <= 0xEF) return {0x80, 0xBF, 3};
  if (lead == 0xF0) return {0x90, 0xBF, 4};
  if (lead >= 0xF1 && lead <= 0xF3) return {0x80, 0xBF, 4};
  if (lead == 0xF4) return {0x80, 0x8F, 4};
  return {0, 0, 0};
}

char16_t* putCodePoint(char32_t point, char16_t* out) {
  if (point < 0x10000) {
    *out++ = static_cast<char16_t>(point);
    return out;
  }
  point -= 0x10000;
  *out++ = static_cast<char16_t>(0xD800 + (point >> 10));
  *out++ = static_cast<char16_t>(0xDC00 + (point & 0x3FF));
  return out;
}

// Decodes the sequence at `at` (not ASCII) to `out`; returns how many bytes
// it took. A malformed sequence takes its valid prefix (at least one byte)
// and gives U+FFFD.
size_t decodeOne(std::string_view bytes, size_t at, char16_t*& out) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  const SecondByteRange range = rangeAfter(lead);
  const int mask[] = {0, 0, 0x1F, 0x0F, 0x07};
  char32_t point = lead & mask[range.length];
  size_t taken = 1;
  for (int i = 1; i < range.length; ++i) {
    if (at + taken >= bytes.size()) break;
    const auto next = static_cast<unsigned char>(bytes[at + taken]);
    const bool fits = i == 1 ? next >= range.low && next <= range.high : isContinuation(next);
    if (!fits) break;
    point = (point << 6) | (next & 0x3F);
    ++taken;
  }
  if (range.length == 0 || taken < static_cast<size_t>(range.length)) {
    *out++ = kReplacement;
  } else {
    out = putCodePoint(point, out);
  }
  return taken;
}

void appendUtf8(char32_t point, ByteArray& out) {
  if (point < 0x80) {
    out.push_back(static_cast<char>(point));
  } else if (point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (point >> 6)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else if (point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (point >> 18)));
    out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  }
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

// Written through a pointer into a string sized for the longest result
// (one unit a byte), then cut to what was written.
void decodeUtf8(std::string_view bytes, Utf16Text& units) {
  if (units.size() < bytes.size()) units.resize(bytes.size());
  char16_t* out = units.data();
  for (size_t at = 0; at < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    if (byte < 0x80) {
      *out++ = byte;
      ++at;
    } else {
      at += decodeOne(bytes, at, out);
    }
  }
  units.resize(static_cast<size_t>(out - units.data()));
}

void encodeUtf8(std::u16string_view units, ByteArray& out) {
  out.reserve(out.size() + units.size() * 3);
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (isHighSurrogate(unit) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
      appendUtf8(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00), out);
      ++i;
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      appendUtf8(kReplacement, out);
    } else {
      appendUtf8(unit, out);
    }
  }
}

}  // namespace quorvane::platform
