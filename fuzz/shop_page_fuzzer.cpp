// Input: a marketplace page, read both as a probe page and as a result
// page. Rows come only from fields the page really holds, never more rows
// than "seller-rank" texts, and a page count is a plain number or 0.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "search/plain_number.h"
#include "search/shop_page_reader.h"

using namespace quorvane;

namespace {

constexpr std::string_view kNoCategory = "\xBF\xD5";

bool inPage(std::string_view page, const LocalText& field) {
  return page.find(field) != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  ShopPageReader reader;
  const std::int64_t pages = reader.totalPages(page);
  FUZZ_CHECK(pages >= 0 && pages <= kLargestPlainNumber);

  const auto shops = reader.shops(page);
  FUZZ_CHECK(static_cast<std::int64_t>(shops.size()) <= sellerRankCount(page));
  for (const ShopFields& shop : shops) {
    // Case-insensitive matching may meet the markers in any case, but the
    // captured texts are cut from the page itself.
    FUZZ_CHECK(inPage(page, shop.name) && inPage(page, shop.sellerId));
    FUZZ_CHECK(inPage(page, shop.itemCount) && inPage(page, shop.monthlySales) && inPage(page, shop.rank));
    FUZZ_CHECK(!shop.category.empty() && (shop.category == kNoCategory || inPage(page, shop.category)));
  }
  // A second reading of the same page gives the same rows.
  const auto again = reader.shops(page);
  FUZZ_CHECK(again.size() == shops.size());
  for (size_t i = 0; i < shops.size(); ++i) FUZZ_CHECK(again[i].sellerId == shops[i].sellerId);
  return 0;
}
