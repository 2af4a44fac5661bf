#pragma once
#include <string_view>

#include "text/text.h"

namespace quorvane {

// The text between the first `left` at or after byte position `start`
// (1-based) and the next `right` after it; "" when either is missing.
// "#引号" in a marker stands for a double quote. Without caseSensitive,
// ASCII letters compare without regard to case.
LocalText textBetween(std::string_view text, std::string_view left, std::string_view right,
                      int start = 1, bool caseSensitive = false);

}  // namespace quorvane
