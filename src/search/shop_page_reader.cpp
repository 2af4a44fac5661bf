#include "search/shop_page_reader.h"

#include <algorithm>
#include <array>

#include "search/plain_number.h"

namespace quorvane {
namespace {

constexpr std::string_view kNoCategory = "\xBF\xD5";  // 空

// The six fields of a shop, in the order their patterns run over a page.
constexpr std::array<ShopField, 6> kRowFields = {ShopField::Name,         ShopField::SellerId, ShopField::ItemCount,
                                                  ShopField::MonthlySales, ShopField::Rank,     ShopField::Category};

}  // namespace

std::int64_t sellerRankCount(std::string_view page) {
  constexpr std::string_view marker = "seller-rank";
  std::int64_t count = 0;
  for (size_t at = page.find(marker); at != std::string_view::npos; at = page.find(marker, at + marker.size()))
    ++count;
  return count;
}

std::int64_t ShopPageReader::totalPages(std::string_view probePage) const {
  const std::vector<LocalText> counts = patterns_[ShopField::TotalPages].captures(probePage);
  if (counts.empty()) return 0;
  return plainNumber(counts.front()).value_or(0);
}

std::vector<ShopFields> ShopPageReader::shops(std::string_view resultPage) const {
  std::int64_t formed = sellerRankCount(resultPage);
  std::array<std::vector<LocalText>, kRowFields.size()> lists;
  for (size_t i = 0; i < kRowFields.size(); ++i) {
    lists[i] = patterns_[kRowFields[i]].captures(resultPage);
    formed = std::min<std::int64_t>(formed, static_cast<std::int64_t>(lists[i].size()));
  }

  std::vector<ShopFields> shops(static_cast<size_t>(formed));
  for (size_t j = 0; j < shops.size(); ++j) {
    ShopFields& shop = shops[j];
    shop.name = std::move(lists[0][j]);
    shop.sellerId = std::move(lists[1][j]);
    shop.itemCount = std::move(lists[2][j]);
    shop.monthlySales = std::move(lists[3][j]);
    shop.rank = std::move(lists[4][j]);
    shop.category = std::move(lists[5][j]);
    if (shop.category.empty()) shop.category = kNoCategory;
  }
  return shops;
}

}  // namespace quorvane
