#include "platform/code_pages.h"

#include "text/wide_text.h"

namespace quorvane::platform {

Utf16Text multiByteToUtf16(std::string_view bytes, unsigned codePage) {
  const std::wstring wide = toWide(bytes, codePage);
  return Utf16Text(wide.begin(), wide.end());
}

ByteArray utf16ToMultiByte(std::u16string_view units, unsigned codePage, unsigned flags) {
  return fromWide(std::wstring_view(reinterpret_cast<const wchar_t*>(units.data()), units.size()), codePage, flags);
}

}  // namespace quorvane::platform
