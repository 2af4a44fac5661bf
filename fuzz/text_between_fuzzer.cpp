// Input: [options][start, int16 little-endian][left length][right length]
// [left][right][text]. Option bit 0: case sensitive.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "text/text_between.h"

using quorvane::textBetween;

namespace {

bool hasQuoteWordStart(std::string_view marker) { return marker.find('#') != std::string_view::npos; }

bool hasAsciiLetter(std::string_view marker) {
  for (char c : marker) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  const bool caseSensitive = data[0] & 1;
  const int start = static_cast<int16_t>(data[1] | data[2] << 8);
  const size_t leftLength = data[3], rightLength = data[4];
  std::string_view rest(reinterpret_cast<const char*>(data) + 5, size - 5);
  if (leftLength + rightLength > rest.size()) return 0;
  const std::string_view left = rest.substr(0, leftLength);
  const std::string_view right = rest.substr(leftLength, rightLength);
  const std::string_view text = rest.substr(leftLength + rightLength);

  const std::string between = textBetween(text, left, right, start, caseSensitive);
  FUZZ_CHECK(between.size() <= text.size());
  FUZZ_CHECK(between.empty() || text.find(between) != std::string_view::npos);
  if (caseSensitive && !hasQuoteWordStart(left) && !hasQuoteWordStart(right) && !between.empty()) {
    std::string whole(left);
    whole.append(between).append(right);
    FUZZ_CHECK(text.find(whole) != std::string_view::npos);
  }
  if (!hasAsciiLetter(left) && !hasAsciiLetter(right)) {
    FUZZ_CHECK(between == textBetween(text, left, right, start, !caseSensitive));
  }
  if (start < 1) FUZZ_CHECK(between == textBetween(text, left, right, 1, caseSensitive));
  return 0;
}
