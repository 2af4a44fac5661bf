#include "search/search_criteria.h"

#include <gtest/gtest.h>

#include "search/province_table.h"

namespace quorvane {
namespace {

const LocalText kAnhui = "\xB0\xB2\xBB\xD5";       // 安徽
const LocalText kZhejiang = "\xD5\xE3\xBD\xAD";    // 浙江
const LocalText kHeilongjiang = "\xBA\xDA\xC1\xFA\xBD\xAD";  // 黑龙江

TEST(ProvinceList, FollowsTheTableOrderWhateverTheTickingOrder) {
  // 浙江 is province 25 and 安徽 province 1 of the table.
  LocalText list = tickedProvinceList([](int i) { return i == 24 || i == 0; });
  EXPECT_EQ(list, kAnhui + "," + kZhejiang + ",");
}

TEST(ProvinceList, TableHoldsThirtyProvincesFromAnhuiToHeilongjiang) {
  EXPECT_EQ(ProvinceTable.size(), 30u);
  EXPECT_EQ(LocalText(ProvinceTable.front()), kAnhui);
  EXPECT_EQ(LocalText(ProvinceTable.back()), kHeilongjiang);
  EXPECT_EQ(LocalText(ProvinceTable[24]), kZhejiang);
}

TEST(ProvinceList, NothingTickedGivesTheEmptyText) {
  EXPECT_EQ(tickedProvinceList([](int) { return false; }), "");
}

TEST(ProvinceList, SplittingDropsEmptyPieces) {
  EXPECT_EQ(splitProvinceList(kAnhui + ",," + kZhejiang + ","), (std::vector<LocalText>{kAnhui, kZhejiang}));
  EXPECT_TRUE(splitProvinceList("").empty());
  EXPECT_TRUE(splitProvinceList(",").empty());
}

TEST(SearchCriteriaCompleteness, NeedsAKeywordAndAProvince) {
  EXPECT_TRUE(isComplete({"shoes", {kAnhui}, 0}));
  EXPECT_TRUE(isComplete({"   ", {kAnhui}, 0})) << "spaces alone are a keyword";
  EXPECT_FALSE(isComplete({"", {kAnhui}, 0}));
  EXPECT_FALSE(isComplete({"shoes", {}, 0}));
}

}  // namespace
}  // namespace quorvane
