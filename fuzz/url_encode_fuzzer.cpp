// Input: [options][local text]. Option bit 0: keep plain.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "text/encodings.h"
#include "text/url_encoding.h"

using namespace quorvane;

namespace {

bool staysPlain(unsigned char byte) {
  return (byte >= 0x2C && byte <= 0x39) || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;  // lower case is never written
}

// Undoes the encoding; fails on anything urlEncode never writes.
bool decode(std::string_view encoded, bool keepPlain, std::string& out) {
  for (size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] != '%') {
      if (!keepPlain || !staysPlain(static_cast<unsigned char>(encoded[i]))) return false;
      out.push_back(encoded[i]);
      continue;
    }
    if (i + 2 >= encoded.size()) return false;
    const int high = hexValue(encoded[i + 1]), low = hexValue(encoded[i + 2]);
    if (high < 0 || low < 0) return false;
    const auto byte = static_cast<unsigned char>(high << 4 | low);
    if (keepPlain && staysPlain(byte)) return false;
    out.push_back(static_cast<char>(byte));
    i += 2;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool keepPlain = data[0] & 1;
  const std::string_view local(reinterpret_cast<const char*>(data) + 1, size - 1);

  const LocalText encoded = urlEncode(local, keepPlain);
  std::string decoded;
  FUZZ_CHECK(decode(encoded, keepPlain, decoded));
  FUZZ_CHECK(decoded == localToUtf8(local));
  return 0;
}
