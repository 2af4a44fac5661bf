#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>

#include "text/code_pages.h"
#include "text/wide_text.h"

namespace quorvane {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "a wide character is a UTF-16 unit on Windows");

// Each conversion first asks for the output size, then converts into a buffer
// of exactly that size, so the whole input is always converted. A string
// already large enough is written over without being filled first. `Units`
// is the string of 16-bit units to fill: Utf16Text for the core,
// std::wstring for the Windows calls.
template <typename Units>
bool toUnits(std::string_view bytes, unsigned codePage, Units& units) {
  if (bytes.empty() || bytes.size() > INT_MAX) {
    units.clear();
    return bytes.empty();
  }
  const int length = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0) {
    units.clear();
    return false;
  }
  if (units.size() < static_cast<size_t>(needed)) units.resize(static_cast<size_t>(needed));
  auto* out = reinterpret_cast<wchar_t*>(units.data());
  const int written = MultiByteToWideChar(codePage, 0, bytes.data(), length, out, needed);
  units.resize(static_cast<size_t>(std::max(written, 0)));
  return written > 0;
}

bool appendBytes(std::wstring_view units, unsigned codePage, unsigned flags, std::string& bytes) {
  if (units.empty()) return true;
  if (units.size() > INT_MAX) return false;
  const int length = static_cast<int>(units.size());
  const int needed = WideCharToMultiByte(codePage, flags, units.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return false;
  const size_t base = bytes.size();
  bytes.resize(base + static_cast<size_t>(needed));
  const int written =
      WideCharToMultiByte(codePage, flags, units.data(), length, bytes.data() + base, needed, nullptr, nullptr);
  bytes.resize(base + static_cast<size_t>(std::max(written, 0)));
  return written > 0;
}

std::wstring_view asWide(std::u16string_view units) {
  return {reinterpret_cast<const wchar_t*>(units.data()), units.size()};
}

}  // namespace

bool multiByteToUtf16(std::string_view bytes, unsigned codePage, Utf16Text& units) {
  return toUnits(bytes, codePage, units);
}

bool utf16ToMultiByte(std::u16string_view units, unsigned codePage, unsigned flags, ByteArray& bytes) {
  return appendBytes(asWide(units), codePage, flags, bytes);
}

std::wstring toWide(std::string_view local) {
  std::wstring wide;
  toUnits(local, kLocalCodePage, wide);
  return wide;
}

LocalText toLocal(std::wstring_view wide) {
  LocalText local;
  appendBytes(wide, kLocalCodePage, 0, local);
  std::erase(local, '\0');
  return local;
}

}  // namespace quorvane
