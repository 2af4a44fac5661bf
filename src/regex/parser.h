#pragma once
// ECMAScript-style pattern text (UTF-16) to a syntax tree.
#include <string_view>

#include "regex/status.h"
#include "regex/syntax_tree.h"

namespace quorvane::regex {

struct ParseResult {
  Status status = Status::Ok;
  SyntaxTree tree;
};

// `multiline` is not needed here: "^" and "$" become line assertions and the
// compiler decides whether lines or only the whole text count.
ParseResult parsePattern(std::u16string_view pattern);

}  // namespace quorvane::regex
