#include "web/url_encoding.h"

#include <functional>

#include "text/encodings.h"
#include "web/ui_event_pump.h"

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
  const std::function<void()> pump = uiEventPumpForThisThread();
  LocalText encoded;
  encoded.reserve(utf8.size() * 3);
  for (char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (keepPlain && staysPlain(byte)) {
      encoded.push_back(c);
    } else {
      appendEscaped(byte, encoded);
    }
    if (pump) pump();
  }
  return encoded;
}

}  // namespace quorvane
