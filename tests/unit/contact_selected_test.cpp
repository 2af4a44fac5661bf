#include "contact/contact_selected.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace quorvane {
namespace {

const LocalText kContacted = kContactedText;
const LocalText kNotContacted = kNotContactedText;

class FakeSellers : public SelectedSellers {
 public:
  ResultTable grid;
  LocalText list;
  unsigned interval = 200;
  int resets = 0;

  ResultTable& table() override { return grid; }
  LocalText selectionList() const override { return list; }
  void resetSelection() override {
    list.clear();
    ++resets;
  }
  unsigned watcherInterval() const override { return interval; }
  void setWatcherInterval(unsigned milliseconds) override { interval = milliseconds; }

  void addRow(int row, const LocalText& id, bool ticked = true) {
    ShopRow shop;
    shop.sellerId = id;
    grid.setShop(row, shop);
    grid.applyStatus(row, {kOnlineText, kNotContacted, RowLook::OnlineNotContacted});
    if (ticked) {
      grid.setTick(row, true);
      list += std::to_string(row) + ",";
    }
  }
};

class FakeHistory : public HistoryStore {
 public:
  LocalText content;
  int loads = 0;
  std::optional<LocalText> savedPrevious, savedEntries;

  LocalText load() override {
    ++loads;
    return content;
  }
  void save(const LocalText& previous, const LocalText& newEntries) override {
    savedPrevious = previous;
    savedEntries = newEntries;
    content = previous + newEntries;
  }
};

class ContactSelected : public ::testing::Test {
 protected:
  FakeSellers sellers;
  FakeHistory history;
  std::vector<LocalText> launched;
  ChatLauncher launcher = [this](const LocalText& url) { launched.push_back(url); };

  void contact(const std::function<bool()>& stop = {}) { contactSelectedSellers(sellers, history, launcher, stop); }
  static LocalText chat(const LocalText& id) { return buildChatUrl(id); }
};

TEST_F(ContactSelected, ContactsTheListedRowsInTickingOrderAndNothingElse) {
  sellers.addRow(3, "three");
  sellers.addRow(4, "four", false);
  sellers.addRow(5, "five");
  sellers.list = "5,3,";
  contact();
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("five"), chat("three")}));
  EXPECT_EQ(sellers.grid.text(4, Column::ContactState), kNotContacted);
  EXPECT_EQ(*history.savedEntries, "five\r\nthree\r\n");
}

TEST_F(ContactSelected, MarksEachRowContactedUntickedAndGrey) {
  sellers.addRow(2, "ab_c");
  contact();
  EXPECT_EQ(sellers.grid.text(2, Column::ContactState), kContacted);
  EXPECT_FALSE(sellers.grid.tick(2));
  EXPECT_EQ(sellers.grid.look(2), RowLook::Contacted);
}

TEST_F(ContactSelected, AppendsTheNewIdsToTheHistoryLoadedOnceAtTheStart) {
  history.content = "old\r\nabc\r\n";
  sellers.addRow(1, "abc");
  sellers.addRow(7, "\xD6\xD0" "a");
  contact();
  EXPECT_EQ(history.loads, 1);
  EXPECT_EQ(*history.savedPrevious, "old\r\nabc\r\n");
  EXPECT_EQ(history.content, "old\r\nabc\r\nabc\r\n\xD6\xD0" "a\r\n");
}

TEST_F(ContactSelected, EmptySelectionLaunchesNothingButResetsAndRewritesTheHistoryUnchanged) {
  history.content = "old\r\n";
  contact();
  EXPECT_TRUE(launched.empty());
  EXPECT_EQ(sellers.resets, 1);
  EXPECT_EQ(*history.savedPrevious, "old\r\n");
  EXPECT_EQ(*history.savedEntries, "");
}

TEST_F(ContactSelected, EmptiesTheSelectionAfterwards) {
  sellers.addRow(1, "a");
  contact();
  EXPECT_EQ(sellers.resets, 1);
  EXPECT_EQ(sellers.list, "");
}

TEST_F(ContactSelected, StartsTheStoppedWatcherButLeavesARunningOneAlone) {
  sellers.interval = 0;
  contact();
  EXPECT_EQ(sellers.interval, 200u);
  sellers.interval = 1000;
  contact();
  EXPECT_EQ(sellers.interval, 1000u);
}

TEST_F(ContactSelected, ContactsARowTickedTwiceTwiceAndRecordsItTwice) {
  sellers.addRow(4, "dup");
  sellers.list = "4,4,";
  contact();
  EXPECT_EQ(launched.size(), 2u);
  EXPECT_EQ(*history.savedEntries, "dup\r\ndup\r\n");
}

TEST_F(ContactSelected, SkipsListPiecesThatAreNoResultRow) {
  sellers.addRow(1, "one");
  sellers.list = "0,x,,-1,10001,99999999999,1,";
  contact();
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("one")}));
  EXPECT_EQ(*history.savedEntries, "one\r\n");
}

TEST_F(ContactSelected, ARowWithoutAnIdOnlyLosesItsTick) {
  sellers.grid.setTick(9, true);
  sellers.list = "9,";
  contact();
  EXPECT_TRUE(launched.empty());
  EXPECT_FALSE(sellers.grid.tick(9));
  EXPECT_EQ(sellers.grid.text(9, Column::ContactState), "");
  EXPECT_EQ(sellers.grid.look(9), RowLook::Cleared);
  EXPECT_EQ(*history.savedEntries, "");
}

TEST_F(ContactSelected, AStopLeavesTheRemainingRowsUncontactedAndRecordsTheRest) {
  sellers.addRow(1, "first");
  sellers.addRow(2, "second");
  contact([this] { return !launched.empty(); });
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("first")}));
  EXPECT_FALSE(sellers.grid.tick(2));
  EXPECT_EQ(sellers.grid.text(2, Column::ContactState), kNotContacted);
  EXPECT_EQ(*history.savedEntries, "first\r\n");
}

}  // namespace
}  // namespace quorvane
