#pragma once
// The marketplace's seven field patterns: defined once here, compiled once
// for the whole run, and used by the search worker, the tests and the
// benchmarks alike. Each is applied with letter case ignored, multiline and
// every match; group 1 is the field. The category pattern holds three
// literal backslash pairs, each matching one backslash of the page.
#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "text/local_pattern.h"
#include "text/text.h"

namespace quorvane {

enum class ShopField { TotalPages, Name, SellerId, ItemCount, MonthlySales, Rank, Category };

struct ShopFieldPattern {
  ShopField field;
  std::string_view text;
};

using ShopFieldPatternList = std::array<ShopFieldPattern, 7>;

inline constexpr ShopFieldPatternList kShopFieldPatterns = {{
    {ShopField::TotalPages, R"re("totalPage":(.*?),")re"},
    {ShopField::Name, R"re("rawTitle":"(.*?)",)re"},
    {ShopField::SellerId, R"re("nick":"(.*?)","provcity")re"},
    {ShopField::ItemCount, R"re("procnt":(.*?),")re"},
    {ShopField::MonthlySales, R"re(,"totalsold":(.*?),")re"},
    {ShopField::Rank, R"re(rank seller-rank-(.*?)",)re"},
    {ShopField::Category, R"re(ind\\":\\"(.*?)\\)re"},
}};

constexpr bool inFieldOrder(const ShopFieldPatternList& list) {
  for (size_t index = 0; index < list.size(); ++index)
    if (list[index].field != static_cast<ShopField>(index)) return false;
  return true;
}
static_assert(inFieldOrder(kShopFieldPatterns));

class ShopPagePatterns {
 public:
  // `definitions` in ShopField order, as kShopFieldPatterns gives them.
  explicit ShopPagePatterns(const ShopFieldPatternList& definitions = kShopFieldPatterns);

  // The program's patterns: compiled on first use (the main window asks for
  // them as it is created), then shared by every search.
  static const ShopPagePatterns& compiled();

  const LocalPattern& operator[](ShopField field) const { return patterns_[static_cast<size_t>(field)]; }

  // The first pattern that did not compile, as written; nullopt when every
  // one did. A search cannot read a page without all seven.
  std::optional<LocalText> broken() const;

 private:
  std::vector<LocalPattern> patterns_;  // by ShopField
};

// "字段规则有误，无法搜索：" and the pattern: what the window shows instead
// of starting a search that could find nothing.
LocalText brokenPatternMessage(const LocalText& pattern);

}  // namespace quorvane
