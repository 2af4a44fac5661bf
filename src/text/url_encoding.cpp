#include "text/url_encoding.h"

#include "text/encodings.h"

namespace quorvane {
namespace {

bool staysPlain(unsigned char byte) {
  return (byte >= 0x2C && byte <= 0x39) || (byte >= 'A' && byte <= 'Z') ||
         (byte >= 'a' && byte <= 'z');
}

void appendEscaped(unsigned char byte, LocalText& out) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  out.push_back('%');
  out.push_back(kHexDigits[byte >> 4]);
  out.push_back(kHexDigits[byte & 0x0F]);
}

}  // namespace

LocalText urlEncode(std::string_view local, bool keepPlain) {
  const ByteArray utf8 = localToUtf8(local);
  LocalText encoded;
  encoded.reserve(utf8.size() * 3);
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (keepPlain && staysPlain(byte)) {
      encoded.push_back(c);
    } else {
      appendEscaped(byte, encoded);
    }
  }
  return encoded;
}

}  // namespace quorvane
