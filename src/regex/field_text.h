#pragma once
// The engine's own text for a field scan (field_scan.h): UTF-16 units, the
// literals found by Horspool's scan in the pattern's letter case rule.
#include <string_view>

#include "regex/field_shape.h"
#include "regex/literal_finder.h"

namespace quorvane::regex {

class FieldText {
 public:
  FieldText(std::u16string_view subject, const FieldShape& shape, bool ignoreCase);

  size_t leftSize() const { return leftSize_; }
  size_t rightSize() const { return rightSize_; }
  size_t findLeft(size_t from) const { return left_.find(subject_, from); }
  size_t findRight(size_t from) const { return right_.find(subject_, from); }
  size_t findLineFeed(size_t from) const { return subject_.find(u'\n', from); }

 private:
  std::u16string_view subject_;
  size_t leftSize_;
  size_t rightSize_;
  LiteralFinder left_;
  LiteralFinder right_;
};

}  // namespace quorvane::regex
