#include "web/stall_limit.h"

#include "platform/environment.h"
#include "text/text.h"

namespace quorvane {

std::chrono::milliseconds stallLimitFromText(std::string_view milliseconds) {
  constexpr std::size_t kMostDigits = 9;
  if (milliseconds.empty() || milliseconds.size() > kMostDigits) return kStallLimit;
  long long value = 0;
  for (char c : milliseconds) {
    if (c < '0' || c > '9') return kStallLimit;
    value = value * 10 + (c - '0');
  }
  if (value == 0 || value > kStallLimit.count()) return kStallLimit;
  return std::chrono::milliseconds(value);
}

std::chrono::milliseconds stallLimitFromEnvironment() {
  return stallLimitFromText(platform::environmentVariable(kStallLimitVariable).value_or(LocalText()));
}

}  // namespace quorvane
