#include "platform/posix/gbk_codec.h"
#include "platform/posix/utf8_codec.h"
#include "text/code_pages.h"

namespace quorvane {
namespace {

// The users' systems run with code page 936 as their ANSI code page.
bool isGbk(unsigned codePage) { return codePage == kLocalCodePage || codePage == kAnsiCodePage; }

}  // namespace

Utf16Text multiByteToUtf16(std::string_view bytes, unsigned codePage) {
  if (codePage == kUtf8CodePage) return platform::decodeUtf8(bytes);
  if (isGbk(codePage)) return platform::decodeGbk(bytes);
  return {};
}

ByteArray utf16ToMultiByte(std::u16string_view units, unsigned codePage, unsigned flags) {
  // Windows refuses every flag but its error flag for UTF-8.
  if (codePage == kUtf8CodePage) return flags == 0 ? platform::encodeUtf8(units) : ByteArray();
  if (isGbk(codePage)) return platform::encodeGbk(units, (flags & kCompositeCheck) != 0);
  return {};
}

}  // namespace quorvane
