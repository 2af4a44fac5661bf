#pragma once
// The shape of every field pattern of the search: a literal, a lazy "(.*?)"
// that cannot cross a line feed, and a literal, as in «"nick":"(.*?)",». A
// pattern of this shape is run as two literal scans (field_scan.h) instead
// of on the Pike VM.
#include <optional>
#include <string>

#include "regex/syntax_tree.h"

namespace quorvane::regex {

struct FieldShape {
  std::u16string left;   // the units as the pattern gives them, not folded
  std::u16string right;
};

// The two literals when the whole pattern is of that shape, with both
// literals non-empty and the capture its only group.
std::optional<FieldShape> fieldShapeOf(const SyntaxTree& tree);

}  // namespace quorvane::regex
