#include "regex/field_text.h"

#include "regex/case_folding.h"

namespace quorvane::regex {
namespace {

std::u16string folded(std::u16string literal, bool ignoreCase) {
  if (ignoreCase) {
    for (char16_t& unit : literal) unit = canonicalCase(unit);
  }
  return literal;
}

}  // namespace

FieldText::FieldText(std::u16string_view subject, const FieldShape& shape, bool ignoreCase)
    : subject_(subject), leftSize_(shape.left.size()), rightSize_(shape.right.size()),
      left_(folded(shape.left, ignoreCase), ignoreCase), right_(folded(shape.right, ignoreCase), ignoreCase) {}

}  // namespace quorvane::regex
