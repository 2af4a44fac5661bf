#include "search/plain_number.h"

namespace quorvane {

std::optional<std::int64_t> plainNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kLargestPlainNumber) return std::nullopt;
  }
  return value;
}

}  // namespace quorvane
