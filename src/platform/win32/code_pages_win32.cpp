#include <windows.h>

#include <climits>

#include "platform/code_pages.h"

namespace quorvane::platform {

// Each call first asks for the output size, then converts into a buffer of
// exactly that size, so the whole input is always converted.
Utf16Text multiByteToUtf16(std::string_view bytes, unsigned codePage) {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int length = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  Utf16Text units(static_cast<size_t>(needed), u'\0');
  const int written = MultiByteToWideChar(codePage, 0, bytes.data(), length,
                                          reinterpret_cast<wchar_t*>(units.data()), needed);
  if (written <= 0) return {};
  units.resize(static_cast<size_t>(written));
  return units;
}

ByteArray utf16ToMultiByte(std::u16string_view units, unsigned codePage, unsigned flags) {
  if (units.empty() || units.size() > INT_MAX) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
  const int length = static_cast<int>(units.size());
  const int needed = WideCharToMultiByte(codePage, flags, wide, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  ByteArray bytes(static_cast<size_t>(needed), '\0');
  const int written =
      WideCharToMultiByte(codePage, flags, wide, length, bytes.data(), needed, nullptr, nullptr);
  if (written <= 0) return {};
  bytes.resize(static_cast<size_t>(written));
  return bytes;
}

}  // namespace quorvane::platform
