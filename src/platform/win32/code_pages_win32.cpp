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
// of exactly that size, so the whole input is always converted. `Units` is
// the string of 16-bit units to fill: Utf16Text for the core, std::wstring
// for the Windows calls.
template <typename Units>
Units toUnits(std::string_view bytes, unsigned codePage) {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int length = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  Units units(static_cast<size_t>(needed), 0);
  auto* out = reinterpret_cast<wchar_t*>(units.data());
  const int written = MultiByteToWideChar(codePage, 0, bytes.data(), length, out, needed);
  units.resize(static_cast<size_t>(std::max(written, 0)));
  return units;
}

std::string fromUnits(std::wstring_view units, unsigned codePage, unsigned flags) {
  if (units.empty() || units.size() > INT_MAX) return {};
  const int length = static_cast<int>(units.size());
  const int needed = WideCharToMultiByte(codePage, flags, units.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string bytes(static_cast<size_t>(needed), '\0');
  const int written =
      WideCharToMultiByte(codePage, flags, units.data(), length, bytes.data(), needed, nullptr, nullptr);
  bytes.resize(static_cast<size_t>(std::max(written, 0)));
  return bytes;
}

std::wstring_view asWide(std::u16string_view units) {
  return {reinterpret_cast<const wchar_t*>(units.data()), units.size()};
}

}  // namespace

Utf16Text multiByteToUtf16(std::string_view bytes, unsigned codePage) {
  return toUnits<Utf16Text>(bytes, codePage);
}

ByteArray utf16ToMultiByte(std::u16string_view units, unsigned codePage, unsigned flags) {
  return fromUnits(asWide(units), codePage, flags);
}

std::wstring toWide(std::string_view local) { return toUnits<std::wstring>(local, kLocalCodePage); }

LocalText toLocal(std::wstring_view wide) {
  LocalText local = fromUnits(wide, kLocalCodePage, 0);
  std::erase(local, '\0');
  return local;
}

}  // namespace quorvane
