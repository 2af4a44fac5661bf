#pragma once
// The process environment, for the few settings that live outside the window.
#include <optional>

#include "text/text.h"

namespace quorvane::platform {

// The variable's value as local text; nothing when it is not set.
std::optional<LocalText> environmentVariable(const char* name);

}  // namespace quorvane::platform
