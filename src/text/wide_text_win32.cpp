#include "text/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace quorvane {

// Each conversion first asks for the output size, then converts into a buffer
// of exactly that size, so the whole input is always converted.
std::wstring toWide(std::string_view bytes, unsigned codePage) {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int length = static_cast<int>(bytes.size());
  const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  const int written = MultiByteToWideChar(codePage, 0, bytes.data(), length, wide.data(), needed);
  wide.resize(static_cast<size_t>(std::max(written, 0)));
  return wide;
}

std::string fromWide(std::wstring_view wide, unsigned codePage, unsigned flags) {
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int length = static_cast<int>(wide.size());
  const int needed = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string bytes(static_cast<size_t>(needed), '\0');
  const int written =
      WideCharToMultiByte(codePage, flags, wide.data(), length, bytes.data(), needed, nullptr, nullptr);
  bytes.resize(static_cast<size_t>(std::max(written, 0)));
  return bytes;
}

LocalText toLocal(std::wstring_view wide) {
  LocalText local = fromWide(wide, kLocalCodePage);
  std::erase(local, '\0');
  return local;
}

}  // namespace quorvane
