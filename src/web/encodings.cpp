#include "web/encodings.h"

#include <algorithm>

#include "platform/code_pages.h"
#include "web/composite_check.h"
#include "web/ui_event_pump.h"

namespace quorvane {
namespace {

using platform::kCompositeCheck;
using platform::kLocalCodePage;
using platform::kUtf8CodePage;

template <typename Text>
Text upToFirstNul(Text text) {
  return text.substr(0, text.find(typename Text::value_type{0}));
}

// Converted bytes as local text, which ends at the first NUL; in place.
LocalText asLocalText(ByteArray bytes) {
  bytes.resize(std::min(bytes.find('\0'), bytes.size()));
  return bytes;
}

// Plain runs shorter than this between two combining marks are converted
// with the check too: a call for every few units would cost more than the
// check saves.
constexpr size_t kShortPlainRun = 256;

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

Utf16Text utf8ToUtf16(std::string_view utf8) {
  return platform::multiByteToUtf16(utf8, kUtf8CodePage);
}

// The composite check costs many times the plain conversion (about 14x on a
// result page under Wine) and can only change a base character followed by
// combining marks (composite_check.h); without it every unit converts on its
// own. So only the stretches around marks are converted with it, the rest
// plainly, and the bytes are those of converting the whole text with it.
LocalText utf16ToLocal(std::u16string_view units) {
  JoinableStretch stretch = nextJoinableStretch(units, 0, kShortPlainRun);
  if (stretch.start == units.size()) return asLocalText(platform::utf16ToMultiByte(units, kLocalCodePage, 0));
  ByteArray local;
  local.reserve(2 * units.size());
  bool refused = false;
  const auto append = [&](size_t start, size_t end, unsigned flags) {
    if (start == end) return;
    const ByteArray bytes = platform::utf16ToMultiByte(units.substr(start, end - start), kLocalCodePage, flags);
    refused = refused || bytes.empty();
    local += bytes;
  };
  size_t plainFrom = 0;
  for (; stretch.start < units.size(); stretch = nextJoinableStretch(units, plainFrom, kShortPlainRun)) {
    append(plainFrom, stretch.start, 0);
    append(stretch.start, stretch.end, kCompositeCheck);
    plainFrom = stretch.end;
  }
  append(plainFrom, units.size(), 0);
  // A refusal anywhere is a refusal of the whole text.
  return refused ? LocalText() : asLocalText(std::move(local));
}

// A NUL byte in UTF-8 is always a NUL character, which ends the local text:
// nothing after it needs converting.
LocalText utf8ToLocal(std::string_view utf8) {
  return utf16ToLocal(utf8ToUtf16(upToFirstNul(utf8)));
}

Utf16Text codePageToUtf16(std::string_view text, unsigned codePage) {
  Utf16Text units = platform::multiByteToUtf16(upToFirstNul(text), codePage);
  if (!units.empty()) units.push_back(u'\0');
  return units;
}

ByteArray utf16ToCodePage(std::u16string_view units, unsigned codePage) {
  return platform::utf16ToMultiByte(upToFirstNul(units), codePage, 0);
}

ByteArray localToUtf8(std::string_view local) {
  return utf16ToCodePage(codePageToUtf16(local, kLocalCodePage), kUtf8CodePage);
}

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
