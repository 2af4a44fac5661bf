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
  EXPECT_FALSE(isComplete({"\xA3\xBB \r\n", {kAnhui}, 0})) << "separators alone name no keyword";
}

TEST(SearchKeywords, SplitAtLineBreaksAndFullWidthSemicolonsAndKeepASingleKeywordAsTyped) {
  const LocalText dress = "\xC1\xAC\xD2\xC2\xC8\xB9";  // 连衣裙
  EXPECT_EQ(searchKeywords("  a b "), (std::vector<LocalText>{"  a b "}));
  EXPECT_EQ(searchKeywords(dress + "\xA3\xBB T\xD0\xF4\xA1\xA1\r\n\r\nshoes\n" + dress + "\rx"),
            (std::vector<LocalText>{dress, "T\xD0\xF4", "shoes", "x"}));  // 连衣裙；T恤　 ... repeated 连衣裙 once
  EXPECT_TRUE(searchKeywords("").empty());
  // The bytes of "；" (A3 BB) across two characters (D9 A3, BB AF) are no separator.
  EXPECT_EQ(searchKeywords("\xD9\xA3\xBB\xAF"), (std::vector<LocalText>{"\xD9\xA3\xBB\xAF"}));
}

}  // namespace
}  // namespace quorvane
