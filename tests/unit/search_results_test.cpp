#include "app/search_results.h"

#include <gtest/gtest.h>

#include "contact/contact_selected.h"
#include "wait/blocking_wait.h"

namespace quorvane {
namespace {

ShopRow shop(const LocalText& id) {
  ShopRow row;
  row.sellerId = id;
  return row;
}

TEST(SearchResults, FoundShopsAndStatusesGoIntoTheirRows) {
  ResultTable table;
  SearchProgress progress = applySearchEvents(
      table, {ShopFound{1, shop("a")}, CountChanged{1}, StatusKnown{1, {kOnlineText, kNotContactedText, RowLook::OnlineNotContacted}},
              ShopFound{2, shop("b")}, CountChanged{2}});
  EXPECT_EQ(table.text(1, Column::SellerId), "a");
  EXPECT_EQ(table.look(1), RowLook::OnlineNotContacted);
  EXPECT_EQ(table.text(2, Column::SellerId), "b");
  EXPECT_EQ(table.text(2, Column::Presence), "");
  EXPECT_EQ(progress, (SearchProgress{2, false}));
}

TEST(SearchResults, ABatchWithoutCountOrEndLeavesTheLabelAndButtonsAlone) {
  ResultTable table;
  EXPECT_EQ(applySearchEvents(table, {ShopFound{1, shop("a")}}), SearchProgress{});
  EXPECT_EQ(applySearchEvents(table, {SearchEnded{}}), (SearchProgress{std::nullopt, true}));
}

// The row is ticked and contacted (filter off) while its presence request is
// still on its way; the status that arrives afterwards must not undo it.
TEST(SearchResults, ASellerContactedBeforeItsStatusArrivesStaysContactedAndCannotBeTickedAgain) {
  ResultTable table;
  applySearchEvents(table, {ShopFound{1, shop("seller")}, CountChanged{1}});

  struct Sellers : SelectedSellers {
    ResultTable& grid;
    explicit Sellers(ResultTable& t) : grid(t) {}
    ResultTable& table() override { return grid; }
    LocalText selectionList() const override { return "1,"; }
    void unselect(int) override {}
    unsigned watcherInterval() const override { return 200; }
    void setWatcherInterval(unsigned) override {}
  } sellers(table);
  struct NoHistory : HistoryStore {
    LocalText load() override { return ""; }
    std::optional<ProgramFile::Place> save(const LocalText&, const LocalText&) override { return std::nullopt; }
  } history;
  table.setTick(1, true);
  BlockingWait wait;
  contactSelectedSellers(sellers, history, [](const LocalText&) { return platform::ShellOpen::Opened; }, wait);

  applySearchEvents(table, {StatusKnown{1, {kOnlineText, kNotContactedText, RowLook::OnlineNotContacted}}});
  EXPECT_EQ(table.text(1, Column::Presence), kOnlineText);
  EXPECT_EQ(table.text(1, Column::ContactState), kContactedText);
  EXPECT_EQ(table.look(1), RowLook::Contacted);
}

}  // namespace
}  // namespace quorvane
