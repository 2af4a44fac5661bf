#include "search/shop_page_patterns.h"

namespace quorvane {

ShopPagePatterns::ShopPagePatterns(const ShopFieldPatternList& definitions) {
  patterns_.reserve(definitions.size());
  for (const ShopFieldPattern& definition : definitions) patterns_.emplace_back(definition.text);
}

const ShopPagePatterns& ShopPagePatterns::compiled() {
  static const ShopPagePatterns patterns;
  return patterns;
}

std::optional<LocalText> ShopPagePatterns::broken() const {
  for (const LocalPattern& pattern : patterns_)
    if (!pattern.ok()) return pattern.text();
  return std::nullopt;
}

LocalText brokenPatternMessage(const LocalText& pattern) {
  return "\xD7\xD6\xB6\xCE\xB9\xE6\xD4\xF2\xD3\xD0\xCE\xF3\xA3\xAC\xCE\xDE\xB7\xA8\xCB\xD1\xCB\xF7\xA3\xBA" +
         pattern;
}

}  // namespace quorvane
