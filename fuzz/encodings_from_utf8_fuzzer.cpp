// Input: any bytes, read as a UTF-8 body.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "text/code_pages.h"
#include "text/encodings.h"

using namespace quorvane;

namespace {

template <typename Text>
Text upToNul(Text text) {
  return text.substr(0, text.find(typename Text::value_type{0}));
}

bool isLoneSurrogateFree(const Utf16Text& units) {
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);

  const Utf16Text units = utf8ToUtf16(body);
  FUZZ_CHECK(units.size() <= body.size());
  FUZZ_CHECK(body.empty() == units.empty());
  FUZZ_CHECK(isLoneSurrogateFree(units));

  // Decoded UTF-8 written back and read again is the same text.
  const Utf16Text untilNul = upToNul(units);
  Utf16Text terminated = untilNul;
  terminated.push_back(u'\0');
  const ByteArray rewritten = utf16ToCodePage(terminated, kUtf8CodePage);
  FUZZ_CHECK(utf8ToUtf16(rewritten) == untilNul);

  // Local text never holds a NUL, and reading it back is stable.
  const LocalText local = utf8ToLocal(body);
  FUZZ_CHECK(local.find('\0') == LocalText::npos);
  FUZZ_CHECK(local == utf16ToLocal(untilNul));
  FUZZ_CHECK(utf8ToLocal(localToUtf8(local)) == local);
  return 0;
}
