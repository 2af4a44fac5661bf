#pragma once
// Cuts the page count out of a probe page and the shops out of a result
// page with the marketplace's field patterns (search/shop_page_patterns.h),
// read straight from the page: the page is never copied.
#include <cstdint>
#include <string_view>
#include <vector>

#include "search/shop_page_patterns.h"
#include "text/text.h"

namespace quorvane {

struct ShopFields {
  LocalText name;
  LocalText sellerId;
  LocalText itemCount;
  LocalText monthlySales;
  LocalText rank;  // as written in the page
  LocalText category;  // "空" when the page gives none
};

class ShopPageReader {
 public:
  explicit ShopPageReader(const ShopPagePatterns& patterns = ShopPagePatterns::compiled()) : patterns_(patterns) {}

  // The first total-pages capture as a plain number; 0 when there is none or
  // it is no plain number.
  std::int64_t totalPages(std::string_view probePage) const;

  // The page's shops, paired by index across the six field lists. A page
  // names as many shops as it holds "seller-rank" texts, but a shop is only
  // formed while every list still has an entry for it: a row is never made
  // up from a missing or shifted field.
  std::vector<ShopFields> shops(std::string_view resultPage) const;

 private:
  const ShopPagePatterns& patterns_;
};

// Occurrences of "seller-rank", case-sensitive.
std::int64_t sellerRankCount(std::string_view page);

}  // namespace quorvane
