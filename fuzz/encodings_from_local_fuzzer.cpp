// Input: any bytes, read both as local (GBK) text and as UTF-16 units.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "text/code_pages.h"
#include "text/encodings.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view local = bytes.substr(0, bytes.find('\0'));

  const Utf16Text wide = codePageToUtf16(local, kLocalCodePage);
  FUZZ_CHECK(local.empty() ? wide.empty() : wide.back() == u'\0');
  FUZZ_CHECK(wide.size() <= local.size() + 1);

  // Every local byte string becomes UTF-8 that reads back without damage.
  const ByteArray utf8 = localToUtf8(local);
  FUZZ_CHECK(utf8.find('\0') == ByteArray::npos);
  FUZZ_CHECK(utf8ToUtf16(utf8) == wide.substr(0, wide.empty() ? 0 : wide.size() - 1));
  const LocalText again = utf8ToLocal(utf8);
  FUZZ_CHECK(utf8ToLocal(localToUtf8(again)) == again);

  // The same bytes as UTF-16 units (little-endian pairs), lone surrogates
  // and all.
  Utf16Text units;
  for (size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  const LocalText fromUnits = utf16ToLocal(units);
  FUZZ_CHECK(fromUnits.find('\0') == LocalText::npos);
  FUZZ_CHECK(fromUnits.size() <= 2 * units.size());
  const ByteArray unitsAsUtf8 = utf16ToCodePage(units, kUtf8CodePage);
  FUZZ_CHECK(unitsAsUtf8.size() <= 3 * units.size());
  return 0;
}
