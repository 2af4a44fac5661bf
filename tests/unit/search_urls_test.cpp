#include "search/search_urls.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

const LocalText kKeyword = "\xD0\xAC a";          // 鞋 a, sent as typed
const LocalText kProvince = "\xB0\xB2\xBB\xD5";   // 安徽

TEST(SearchUrls, ProbeCarriesKeywordAndProvinceUnencodedAndNoOffset) {
  EXPECT_EQ(probeUrl("example.test:8443", kKeyword, kProvince),
            "https://example.test:8443/search?app=shopsearch&q=\xD0\xAC a"
            "&sort=credit-desc&isb=0&goodrate=10000%2C10010&loc=\xB0\xB2\xBB\xD5");
}

TEST(SearchUrls, ResultPageAppendsThePlainDecimalOffset) {
  EXPECT_EQ(resultPageUrl("h", "k", "p", 40),
            "https://h/search?app=shopsearch&q=k&sort=credit-desc&isb=0&goodrate=10000%2C10010&loc=p&s=40");
  EXPECT_EQ(resultPageUrl("h", "k", "p", 0).substr(resultPageUrl("h", "k", "p", 0).size() - 4), "&s=0");
}

TEST(PageOffsets, RunFromTheLastPageDownToTheFirst) {
  EXPECT_EQ(pageOffset(1, 1), 0);
  EXPECT_EQ(pageOffset(3, 1), 40);
  EXPECT_EQ(pageOffset(3, 2), 20);
  EXPECT_EQ(pageOffset(3, 3), 0);
}

TEST(PageOffsets, StayExactForAHugePageCount) {
  EXPECT_EQ(pageOffset(1'000'000'000, 1), 19'999'999'980);
}

}  // namespace
}  // namespace quorvane
