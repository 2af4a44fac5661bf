#include "search/shop_page_reader.h"

#include <gtest/gtest.h>

#include "fake_marketplace.h"
#include "regex/regex.h"
#include "text/local_field_scan.h"

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

// The program's patterns are the ones compiled here: each must compile, and
// each must be one the matcher scans as bytes, or every page would be
// converted to UTF-16 for it.
TEST(ShopPagePatterns, EveryFieldPatternCompilesAndScansThePageAsBytes) {
  const ShopPagePatterns& patterns = ShopPagePatterns::compiled();
  EXPECT_EQ(patterns.broken(), std::nullopt);
  for (const ShopFieldPattern& definition : kShopFieldPatterns) {
    const LocalPattern& pattern = patterns[definition.field];
    EXPECT_EQ(pattern.text(), definition.text);
    ASSERT_TRUE(pattern.ok()) << definition.text;
    EXPECT_TRUE(findFieldsInLocalText(*pattern.expression(), "x").has_value()) << definition.text;
  }
}

TEST(ShopPagePatterns, ABrokenPatternIsNamedAndReadsNothing) {
  ShopFieldPatternList definitions = kShopFieldPatterns;
  definitions[static_cast<size_t>(ShopField::SellerId)].text = R"re("nick":"(.*?","provcity")re";
  const ShopPagePatterns patterns(definitions);
  EXPECT_EQ(patterns.broken(), R"re("nick":"(.*?","provcity")re");
  EXPECT_EQ(brokenPatternMessage("(x"),  // 字段规则有误，无法搜索：(x
            "\xD7\xD6\xB6\xCE\xB9\xE6\xD4\xF2\xD3\xD0\xCE\xF3\xA3\xAC\xCE\xDE\xB7\xA8\xCB\xD1\xCB\xF7\xA3\xBA(x");
  EXPECT_TRUE(ShopPageReader(patterns).shops(resultPage({{"a", "a"}})).empty());
}

}  // namespace
}  // namespace quorvane
