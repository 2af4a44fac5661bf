#pragma once
// Cutting text into pieces at a separator and trimming the spaces around them.
#include <string_view>
#include <vector>

#include "text/text.h"

namespace quorvane {

// The pieces between separators, empty ones included; an empty text has none.
std::vector<LocalText> splitText(std::string_view text, std::string_view separator);

// Without the leading and trailing space characters.
LocalText trimSpaces(std::string_view text);

}  // namespace quorvane
