#include "contact/shop_page.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

TEST(ShopLookup, EscapesEveryByteOfTheIdInQ) {
  EXPECT_EQ(shopLookupPath("ab"), "/search?app=shopsearch&q=%61%62");
  EXPECT_EQ(shopLookupPath("\xD6\xD0 "), "/search?app=shopsearch&q=%E4%B8%AD%20");
  EXPECT_EQ(shopLookupPath(""), "/search?app=shopsearch&q=");
}

TEST(ShopAddress, IsHttpsBeforeTheAddressBetweenTheFirstMarkers) {
  EXPECT_EQ(shopPageAddress(R"(x "shopUrl\":\"//x/y\",a "shopUrl\":\"//z\",)"), "https://x/y");
}

TEST(ShopAddress, FindsTheMarkersWhateverTheirCase) {
  EXPECT_EQ(shopPageAddress(R"(SHOPURL\":\"//shop1.example.com\",)"), "https://shop1.example.com");
}

TEST(ShopAddress, IsNothingWhenThePageNamesNoAddress) {
  EXPECT_EQ(shopPageAddress(""), std::nullopt);
  EXPECT_EQ(shopPageAddress(R"(shopUrl\":\"\",)"), std::nullopt);
  EXPECT_EQ(shopPageAddress(R"(shopUrl\":\"//x/y)"), std::nullopt);
}

TEST(ShopAddress, EscapesBytesThatCouldSplitTheBrowserArgument) {
  constexpr char kPage[] = "shopUrl\\\":\\\"//x/a b\"c\td\0e\xE4" "1\\\",";
  EXPECT_EQ(shopPageAddress(std::string_view(kPage, sizeof kPage - 1)), "https://x/a%20b%22c%09d%00e%E41");
}

TEST(OpenShopPage, FetchesTheLookupAndOpensTheShopAddress) {
  std::vector<LocalText> fetched, opened;
  openShopPage(
      "ab", "https://shops.test",
      [&](const LocalText& url) {
        fetched.push_back(url);
        return ByteArray(R"({"shopUrl\":\"//x/y\","})");
      },
      [&](const LocalText& url) { opened.push_back(url); });
  EXPECT_EQ(fetched, (std::vector<LocalText>{"https://shops.test/search?app=shopsearch&q=%61%62"}));
  EXPECT_EQ(opened, (std::vector<LocalText>{"https://x/y"}));
}

TEST(OpenShopPage, OpensNothingWhenTheLookupFails) {
  bool opened = false;
  openShopPage(
      "ab", "https://shops.test", [](const LocalText&) { return ByteArray(); },
      [&](const LocalText&) { opened = true; });
  EXPECT_FALSE(opened);
}

}  // namespace
}  // namespace quorvane
