#pragma once
// Replacing matches with a template in the JavaScript syntax: "$1".."$99",
// "$&" (the match), "$`" (the text before it), "$'" (the text after it) and
// "$$" (a dollar sign); any other "$" stands for itself.
#include <string>
#include <string_view>

#include "regex/regex.h"

namespace quorvane::regex {

std::u16string replaceMatches(std::u16string_view subject, const MatchList& matches,
                              std::u16string_view replacement);

}  // namespace quorvane::regex
