#pragma once
#include <string_view>

#include "text/text.h"

namespace quorvane {

// The text after the first ":" of a header line, without surrounding spaces;
// "" when the line has no ":".
LocalText headerValue(std::string_view line);

}  // namespace quorvane
