#pragma once
// The least any extraction of fields must do, the floor the benchmarks
// measure against: find each left literal, then the right one after it, and
// copy what lies between. Byte-wise and case-sensitive, so it takes the
// second byte of 錦 (E5 5C) for a category's closing backslash, which the
// program must not.
#include <cstring>
#include <string>
#include <string_view>

// `literals`: pairs of left and right literals. Returns how many captures
// were copied out.
template <typename Literals>
size_t literalScanFloor(std::string_view page, const Literals& literals) {
  size_t captures = 0;
  const char* const end = page.data() + page.size();
  for (const auto& [left, right] : literals) {
    for (const char* at = page.data();;) {
      const auto* open = static_cast<const char*>(memmem(at, end - at, left.data(), left.size()));
      if (!open) break;
      open += left.size();
      const auto* close = static_cast<const char*>(memmem(open, end - open, right.data(), right.size()));
      if (!close) break;
      const std::string capture(open, close);
      captures += capture.size() < std::string::npos;  // one, kept from being optimised away
      at = close + right.size();
    }
  }
  return captures;
}
