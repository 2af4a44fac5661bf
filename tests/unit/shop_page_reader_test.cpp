#include "search/shop_page_reader.h"

#include <gtest/gtest.h>

#include "fake_marketplace.h"

namespace quorvane {
namespace {

using testing::FakeShop;
using testing::probePage;
using testing::resultPage;

TEST(TotalPages, IsTheFirstCaptureOfTheProbe) {
  ShopPageReader reader;
  EXPECT_EQ(reader.totalPages(probePage("3") + probePage("9")), 3);
}

TEST(TotalPages, IsZeroWithoutAMatchOrWithoutAPlainNumber) {
  ShopPageReader reader;
  EXPECT_EQ(reader.totalPages(""), 0);
  EXPECT_EQ(reader.totalPages("<html>busy</html>"), 0);
  EXPECT_EQ(reader.totalPages(probePage("\"3\"")), 0);
  EXPECT_EQ(reader.totalPages(probePage("-2")), 0);
}

TEST(ResultPage, PairsTheFieldsOfEachShopByIndex) {
  ShopPageReader reader;
  auto shops = reader.shops(resultPage({{"Shop A", "ida", "12", "34", "1", "\xC5\xAE\xD7\xB0"},
                                        {"\xB5\xEA", "id\xD6\xD0", "5", "6", "0", "Toys"}}));
  ASSERT_EQ(shops.size(), 2u);
  EXPECT_EQ(shops[0].name, "Shop A");
  EXPECT_EQ(shops[0].sellerId, "ida");
  EXPECT_EQ(shops[0].itemCount, "12");
  EXPECT_EQ(shops[0].monthlySales, "34");
  EXPECT_EQ(shops[0].rank, "1");
  EXPECT_EQ(shops[0].category, "\xC5\xAE\xD7\xB0");
  EXPECT_EQ(shops[1].name, "\xB5\xEA");
  EXPECT_EQ(shops[1].sellerId, "id\xD6\xD0");
  EXPECT_EQ(shops[1].category, "Toys");
}

TEST(ResultPage, AnEmptyCategoryReadsAsEmpty) {
  ShopPageReader reader;
  auto shops = reader.shops(resultPage({{"", "", "", "", "0", ""}}));
  ASSERT_EQ(shops.size(), 1u);
  EXPECT_EQ(shops[0].category, "\xBF\xD5");  // 空
  EXPECT_EQ(shops[0].name, "");
  EXPECT_EQ(shops[0].itemCount, "");
}

TEST(ResultPage, HoldsAsManyShopsAsSellerRankTexts) {
  ShopPageReader reader;
  std::string page = resultPage({{"a", "a"}, {"b", "b"}, {"c", "c"}});
  // A third shop's fields without its rank entry: only two shops are named.
  std::string trimmed = page;
  trimmed.replace(trimmed.rfind("seller-rank"), 11, "seller-rung");
  EXPECT_EQ(reader.shops(page).size(), 3u);
  EXPECT_EQ(reader.shops(trimmed).size(), 2u);
  EXPECT_EQ(sellerRankCount("seller-rank seller-rankseller-rank SELLER-RANK"), 3);
}

TEST(ResultPage, NeverReadsPastAShortFieldList) {
  ShopPageReader reader;
  std::string page = resultPage({{"a", "a"}, {"b", "b"}});
  page += "<i class=\"seller-rank\"></i><b class=\"seller-rank\"></b>";  // four rank texts, two shops
  auto shops = reader.shops(page);
  ASSERT_EQ(shops.size(), 2u);
  EXPECT_EQ(shops[1].sellerId, "b");

  std::string noSecondNick = resultPage({{"a", "a"}, {"b", "b"}});
  noSecondNick.replace(noSecondNick.rfind("\"nick\""), 6, "\"nock\"");
  EXPECT_EQ(reader.shops(noSecondNick).size(), 1u);
}

TEST(ResultPage, AnEmptyOrForeignPageHoldsNoShop) {
  ShopPageReader reader;
  EXPECT_TRUE(reader.shops("").empty());
  EXPECT_TRUE(reader.shops(std::string(100000, 'x')).empty());
}

}  // namespace
}  // namespace quorvane
