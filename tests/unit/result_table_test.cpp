#include "results/result_table.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

ShopRow shopWithId(const LocalText& id) {
  ShopRow shop;
  shop.shopName = "name";
  shop.sellerId = id;
  return shop;
}

const RowStatus kOnlineNew{kOnlineText, kNotContactedText, RowLook::OnlineNotContacted};
const RowStatus kOfflineNew{kOfflineText, kNotContactedText, std::nullopt};

TEST(ResultTable, RowZeroReadsAsTheTitlesAndRowsOutsideTheGridAsEmpty) {
  ResultTable table;
  EXPECT_EQ(table.text(0, Column::SellerId), "\xCD\xFA\xCD\xFAID");  // 旺旺ID
  EXPECT_EQ(table.text(0, Column::Tick), "\xD1\xA1\xD4\xF1");         // 选择
  table.setShop(0, shopWithId("x"));
  table.setShop(ResultTable::kRowCount, shopWithId("x"));
  table.setTick(-1, true);
  table.markContacted(10001);
  EXPECT_EQ(table.text(0, Column::SellerId), "\xCD\xFA\xCD\xFAID");
  EXPECT_EQ(table.text(ResultTable::kRowCount, Column::SellerId), "");
  EXPECT_FALSE(table.tick(-1));
  EXPECT_EQ(table.look(10001), RowLook::Cleared);
}

TEST(ResultTable, AFoundShopKeepsTheStatusColumnsItAlreadyHas) {
  ResultTable table;
  table.applyStatus(3, kOnlineNew);
  table.setShop(3, shopWithId("id"));
  EXPECT_EQ(table.text(3, Column::SellerId), "id");
  EXPECT_EQ(table.text(3, Column::Presence), kOnlineText);
  EXPECT_EQ(table.text(3, Column::ContactState), kNotContactedText);
}

TEST(ResultTable, EachLookHasItsColoursButTheTickColumnKeepsThePlainOnes) {
  ResultTable table;
  table.applyStatus(1, kOnlineNew);
  table.markContacted(2);
  EXPECT_EQ(table.colours(1, Column::ShopName).text, kOnlineGreen);
  EXPECT_EQ(table.colours(1, Column::ContactState).background, kWhite);
  EXPECT_EQ(table.colours(2, Column::Credit).background, kContactedGrey);
  EXPECT_EQ(table.colours(2, Column::Credit).text, kBlack);
  EXPECT_EQ(table.colours(2, Column::Tick).background, kWhite);
  EXPECT_EQ(table.colours(3, Column::ShopName).background, kWhite);
  EXPECT_EQ(table.colours(3, Column::ShopName).text, kBlack);
}

TEST(ResultTable, TheFilledRowsReachTheLastShopWrittenUntilTheResultsAreCleared) {
  ResultTable table;
  EXPECT_EQ(table.filledRows(), 0);
  table.applyStatus(4, kOnlineNew);  // a status alone writes no result
  table.setShop(2, shopWithId("b"));
  table.setShop(1, shopWithId("a"));
  table.setShop(ResultTable::kRowCount, shopWithId("x"));
  EXPECT_EQ(table.filledRows(), 2);
  table.setShop(ResultTable::kLastRow, shopWithId("z"));
  EXPECT_EQ(table.filledRows(), ResultTable::kLastRow);
  table.clearResults();
  EXPECT_EQ(table.filledRows(), 0);
}

TEST(ResultTable, AStatusWithoutALookLeavesTheRowsLook) {
  ResultTable table;
  table.applyStatus(1, kOnlineNew);
  table.applyStatus(1, kOfflineNew);
  EXPECT_EQ(table.text(1, Column::Presence), kOfflineText);
  EXPECT_EQ(table.look(1), RowLook::OnlineNotContacted);
}

// The search's status for a row can arrive after the user contacted it; the
// contact must win, or the seller could be ticked and contacted again.
TEST(ResultTable, AStatusArrivingAfterContactingTakesOnlyThePresence) {
  ResultTable table;
  table.setShop(4, shopWithId("late"));
  table.markContacted(4);
  table.applyStatus(4, kOnlineNew);
  EXPECT_EQ(table.text(4, Column::Presence), kOnlineText);
  EXPECT_EQ(table.text(4, Column::ContactState), kContactedText);
  EXPECT_EQ(table.look(4), RowLook::Contacted);
}

TEST(ResultTable, ClearingEmptiesEveryResultRowAndForgetsContacts) {
  ResultTable table;
  table.setShop(2, shopWithId("a"));
  table.setTick(2, true);
  table.markContacted(2);
  table.setShop(10000, shopWithId("z"));
  table.clearResults();
  EXPECT_EQ(table.shop(2), ShopRow{});
  EXPECT_EQ(table.shop(10000), ShopRow{});
  EXPECT_FALSE(table.tick(2));
  EXPECT_EQ(table.look(2), RowLook::Cleared);
  table.applyStatus(2, kOnlineNew);  // a new search's status is taken whole again
  EXPECT_EQ(table.text(2, Column::ContactState), kNotContactedText);
  EXPECT_EQ(table.text(0, Column::ShopName), "\xB5\xEA\xC6\xCC\xC3\xFB\xB3\xC6");
}

TEST(ResultTable, TheListenerHearsEveryChangedRowAndNothingForIgnoredWrites) {
  ResultTable table;
  std::vector<std::pair<int, int>> heard;
  table.setChangeListener([&](int first, int last) { heard.emplace_back(first, last); });
  table.setShop(7, shopWithId("id"));
  table.setTick(0, true);
  table.clearResults();
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0], std::make_pair(7, 7));
  EXPECT_EQ(heard[1], std::make_pair(1, ResultTable::kLastRow));
}

TEST(ResultTable, ABatchReportsItsChangesOnceAsOneRangeWhenTheOutermostCloses) {
  ResultTable table;
  std::vector<std::pair<int, int>> heard;
  table.setChangeListener([&](int first, int last) { heard.emplace_back(first, last); });
  {
    ResultTable::ChangeBatch batch(table);
    table.setShop(40, shopWithId("a"));
    {
      ResultTable::ChangeBatch inner(table);
      table.applyStatus(12, {"on", "not yet", RowLook::OnlineNotContacted});
    }
    EXPECT_TRUE(heard.empty()) << "an inner batch holds its changes for the outer one";
    table.setTick(0, true);  // ignored, so it widens nothing
    table.setTick(25, true);
  }
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0], std::make_pair(12, 40));
  EXPECT_EQ(table.shop(40).sellerId, "a") << "the changes themselves are made at once";

  { ResultTable::ChangeBatch nothing(table); }
  table.setTick(3, true);
  ASSERT_EQ(heard.size(), 2u) << "a batch without changes reports nothing, and after it every change is heard";
  EXPECT_EQ(heard[1], std::make_pair(3, 3));
}

}  // namespace
}  // namespace quorvane
