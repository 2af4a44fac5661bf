#include "app/grid_copy.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

ShopRow shop(LocalText name, LocalText id) {
  return ShopRow{std::move(name), std::move(id), "1", "2", "0\xD0\xC4", "\xBF\xD5", "", ""};
}

const LocalText kTitles =
    "\xB5\xEA\xC6\xCC\xC3\xFB\xB3\xC6\t\xCD\xFA\xCD\xFAID\t\xB1\xA6\xB1\xB4\xCA\xFD\xC1\xBF\t\xD4\xC2\xCF\xFA\xC1\xBF\t"
    "\xC2\xF4\xBC\xD2\xD0\xC5\xD3\xFE\t\xD6\xF7\xD3\xAA\xC0\xE0\xC4\xBF\t\xD4\xDA\xCF\xDF\xD7\xB4\xCC\xAC\t"
    "\xC1\xAA\xCF\xB5\xD7\xB4\xCC\xAC\r\n";

class GridCopy : public ::testing::Test {
 protected:
  ResultTable table;
  void SetUp() override {
    table.setShop(1, shop("\xB5\xEA" "A", "\xD0\xA1\xC3\xF7"));  // 店A, 小明
    table.setShop(2, shop("B\tb\r\nB", ""));
    table.setShop(3, shop("=1+1", "c-3"));
    for (int row = 1; row <= 3; ++row) table.applyStatus(row, {kOnlineText, kNotContactedText, RowLook::OnlineNotContacted});
  }
};

TEST_F(GridCopy, IdsComeOnePerLineInTheGridsOrderWithoutEmptyOnesOrRowsBelowTheResults) {
  EXPECT_EQ(sellerIdsText(table, {3, 1, 2, 7, 0, 3}), "c-3\r\n\xD0\xA1\xC3\xF7\r\n");
  EXPECT_EQ(sellerIdsText(table, {2}), "");
  EXPECT_EQ(sellerIdsText(table, {}), "");
}

TEST_F(GridCopy, RowsComeUnderTheTitlesTabSeparatedWithCellsKeptWhole) {
  EXPECT_EQ(rowsText(table, {1, 2, 3, 1, 5000}),
            kTitles +
                "\xB5\xEA" "A\t\xD0\xA1\xC3\xF7\t1\t2\t0\xD0\xC4\t\xBF\xD5\t\xCD\xFA\xCD\xFA\xD4\xDA\xCF\xDF\t\xCE\xB4\xC1\xAA\xCF\xB5\r\n"
                "B b  B\t\t1\t2\t0\xD0\xC4\t\xBF\xD5\t\xCD\xFA\xCD\xFA\xD4\xDA\xCF\xDF\t\xCE\xB4\xC1\xAA\xCF\xB5\r\n"
                "'=1+1\tc-3\t1\t2\t0\xD0\xC4\t\xBF\xD5\t\xCD\xFA\xCD\xFA\xD4\xDA\xCF\xDF\t\xCE\xB4\xC1\xAA\xCF\xB5\r\n");
  EXPECT_EQ(rowsText(table, {4}), kTitles);
}

TEST_F(GridCopy, ANewSearchLeavesNothingToCopy) {
  table.clearResults();
  EXPECT_EQ(sellerIdsText(table, {1, 2, 3}), "");
  EXPECT_EQ(rowsText(table, {1}), kTitles);
}

}  // namespace
}  // namespace quorvane
