#include <cstdlib>

#include "platform/environment.h"

namespace quorvane::platform {

std::optional<LocalText> environmentVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return LocalText(value);
}

}  // namespace quorvane::platform
