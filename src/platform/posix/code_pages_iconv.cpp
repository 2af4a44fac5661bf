#include "platform/posix/gbk_codec.h"
#include "platform/posix/utf8_codec.h"
#include "text/code_pages.h"

namespace quorvane {
namespace {

// The users' systems run with code page 936 as their ANSI code page.
bool isGbk(unsigned codePage) { return codePage == kLocalCodePage || codePage == kAnsiCodePage; }

}  // namespace

bool multiByteToUtf16(std::string_view bytes, unsigned codePage, Utf16Text& units) {
  if (codePage == kUtf8CodePage) {
    platform::decodeUtf8(bytes, units);
  } else if (isGbk(codePage)) {
    platform::decodeGbk(bytes, units);
  } else {
    units.clear();
    return false;
  }
  return true;
}

bool utf16ToMultiByte(std::u16string_view units, unsigned codePage, unsigned flags, ByteArray& bytes) {
  // Windows refuses every flag but its error flag for UTF-8.
  if (codePage == kUtf8CodePage && flags == 0) {
    platform::encodeUtf8(units, bytes);
  } else if (isGbk(codePage)) {
    platform::encodeGbk(units, (flags & kCompositeCheck) != 0, bytes);
  } else {
    return false;
  }
  return true;
}

}  // namespace quorvane
