// Input: any bytes, read as UTF-16LE units (a last odd byte is dropped).
// utf16ToLocal converts only the stretches around combining marks with the
// composite check; its bytes must be those of converting the whole text
// with the check, up to the first NUL.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "text/code_pages.h"
#include "text/encodings.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Utf16Text units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);

  ByteArray whole = utf16ToMultiByte(units, kLocalCodePage, kCompositeCheck);
  whole = whole.substr(0, whole.find('\0'));
  FUZZ_CHECK(utf16ToLocal(units) == whole);
  return 0;
}
