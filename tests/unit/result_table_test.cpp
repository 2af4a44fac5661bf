#include "results/result_table.h"

#include <gtest/gtest.h>

#include <random>

#include "results/result_view.h"

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

TEST(ResultTable, EachRowKnowsTheKeywordAndProvinceOfItsRun) {
  ResultTable table;
  table.clearResults(SearchRun{{"k1", "k2"}, {"p1", "p2"}, "2024-05-17T09:00:00+08:00"});
  table.setShop(1, shopWithId("a"), 1, 0);
  table.setShop(2, shopWithId("b"), 7, -1);  // indices the run has not: no keyword, no province
  EXPECT_EQ(table.keywordOf(1), "k2");
  EXPECT_EQ(table.provinceOf(1), "p1");
  EXPECT_EQ(table.keywordOf(2), "");
  EXPECT_EQ(table.provinceOf(2), "");
  EXPECT_EQ(table.run().startedAt, "2024-05-17T09:00:00+08:00");
  table.clearResults();
  EXPECT_EQ(table.keywordOf(1), "");
}

// ---- the view: filter and sort ----

ShopRow shopWith(const LocalText& id, const LocalText& items, const LocalText& credit) {
  ShopRow shop = shopWithId(id);
  shop.itemCount = items;
  shop.credit = credit;
  return shop;
}

std::vector<LocalText> idsShown(const ResultTable& table, const ResultView& view) {
  std::vector<LocalText> ids;
  for (int line = 0; line < view.lineCount() && !table.shop(view.rowAt(line)).sellerId.empty(); ++line)
    ids.push_back(table.shop(view.rowAt(line)).sellerId);
  return ids;
}

TEST(ResultView, SortsNumbersAsNumbersCreditByLevelAndEmptyCellsLastThenGoesBackToTheSearchsOrder) {
  ResultTable table;
  ResultView view(table);
  table.setShop(1, shopWith("a", "9", "10\xD0\xC4"));
  table.setShop(2, shopWith("b", "", "2\xD0\xC4"));
  table.setShop(3, shopWith("c", "10", "x"));
  table.setShop(4, shopWith("d", "9.5", "2\xD0\xC4"));
  table.setShop(5, shopWith("e", "abc", ""));
  view.rowsChanged(1, 5);
  view.sortBy(Column::ItemCount);
  EXPECT_EQ(idsShown(table, view), (std::vector<LocalText>{"a", "d", "c", "e", "b"}));
  view.sortBy(Column::ItemCount);
  EXPECT_EQ(idsShown(table, view), (std::vector<LocalText>{"c", "d", "a", "e", "b"}));
  view.sortBy(Column::ItemCount);
  EXPECT_TRUE(view.plain());
  EXPECT_EQ(idsShown(table, view), (std::vector<LocalText>{"a", "b", "c", "d", "e"}));
  view.sortBy(Column::Credit);  // equal levels keep the search's order
  EXPECT_EQ(idsShown(table, view), (std::vector<LocalText>{"b", "d", "a", "c", "e"}));
  view.sortBy(Column::Tick);
  EXPECT_EQ(view.sort(), (ViewSort{Column::Credit, SortOrder::Ascending})) << "the tick column does not sort";
  // An unfiltered view keeps every grid line: the empty rows follow the results.
  EXPECT_EQ(view.lineCount(), ResultTable::kRowCount - 1);
  EXPECT_EQ(view.rowAt(5), 6);
  EXPECT_EQ(view.lineOf(6), 5);
}

TEST(ResultView, TheFilterShowsOnlyOnlineSellersNotYetContactedAsTheirStatusComesAndGoes) {
  ResultTable table;
  ResultView view(table);
  view.setWorthContactingOnly(true);
  EXPECT_EQ(view.lineCount(), 0);
  table.setShop(1, shopWithId("a"));
  table.setShop(2, shopWithId("b"));
  table.applyStatus(2, kOnlineNew);
  EXPECT_EQ(view.rowsChanged(1, 2), ResultView::Effect::None) << "a line added at the end moves no other";
  table.applyStatus(1, kOnlineNew);
  EXPECT_EQ(view.rowsChanged(1, 1), ResultView::Effect::Reordered);
  EXPECT_EQ(idsShown(table, view), (std::vector<LocalText>{"a", "b"}));
  table.markContacted(1);
  table.applyStatus(2, kOfflineNew);
  view.rowsChanged(1, 2);
  EXPECT_EQ(view.lineCount(), 0);
  EXPECT_EQ(view.lineOf(1), -1);
  EXPECT_EQ(view.rowAt(0), -1);
  table.applyStatus(9, kOnlineNew);  // a status below the results shows no row
  view.rowsChanged(9, 9);
  EXPECT_EQ(view.lineCount(), 0);
}

// However the rows change, row by row or in a batch's range, the view is the
// one built afresh from the table: every line names the row the order puts
// there, and lineOf finds it again.
TEST(ResultView, FollowingChangesRowByRowEndsAsAViewBuiltAfresh) {
  std::mt19937 random(20240517);
  const LocalText numbers[] = {"", "0", "7", "12", "7", "x"};
  const RowStatus statuses[] = {kOnlineNew, kOfflineNew, {kOnlineText, kContactedText, RowLook::Contacted}};
  const Column columns[] = {Column::ShopName, Column::ItemCount, Column::MonthlySales, Column::Credit,
                            Column::Presence};
  for (int round = 0; round < 40; ++round) {
    ResultTable table;
    ResultView followed(table);
    followed.setWorthContactingOnly(round % 2 == 0);
    if (round % 3 != 0)
      followed.setSort(ViewSort{columns[round % 5], round % 4 < 2 ? SortOrder::Ascending : SortOrder::Descending});
    table.setChangeListener([&](int first, int last) { followed.rowsChanged(first, last); });
    for (int batch = 0; batch < 40; ++batch) {
      // Most changes come in batches: one range for several rows, some of them unchanged.
      ResultTable::ChangeBatch changes(table);
      for (int step = static_cast<int>(random() % 4); step >= 0; --step) {
        const int row = 1 + static_cast<int>(random() % 30);
        switch (random() % 4) {
          case 0:
            table.setShop(row, shopWith(std::to_string(row), numbers[random() % 6], numbers[random() % 6] + "\xD0\xC4"));
            break;
          case 1:
            table.applyStatus(row, statuses[random() % 3]);
            break;
          case 2:
            table.markContacted(row);
            break;
          default:
            table.setTick(row, true);
        }
      }
    }
    ResultView fresh(table);
    fresh.setWorthContactingOnly(followed.worthContactingOnly());
    fresh.setSort(followed.sort());
    ASSERT_EQ(followed.lineCount(), fresh.lineCount()) << round;
    for (int line = 0; line < fresh.lineCount(); ++line) {
      ASSERT_EQ(followed.rowAt(line), fresh.rowAt(line)) << round << " line " << line;
      ASSERT_EQ(followed.lineOf(fresh.rowAt(line)), line) << round;
    }
    EXPECT_EQ(followed.shownResults(), fresh.shownResults());
  }
}

}  // namespace
}  // namespace quorvane
