#include "app/selection.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

const LocalText kOffline = kOfflineText;
const LocalText kContacted = kContactedText;
const LocalText kOnlineStatus = kOnlineText;
const LocalText kNotContactedStatus = kNotContactedText;
const LocalText kCountPrefix = "\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA";  // "已选中数量："
const LocalText kCountSuffix = " \xB8\xF6";                         // " 个"

class Ticking : public ::testing::Test {
 protected:
  ResultTable table;
  Selection selection;
  std::vector<LocalText> labels;  // every label text, in the order shown

  void SetUp() override {
    selection.setChangeListener([this] { labels.push_back(selection.label()); });
  }
  void status(int row, const LocalText& presence, const LocalText& contact) {
    table.applyStatus(row, {presence, contact, std::nullopt});
  }
  void space(int first, int last, bool filter) {
    toggleSelectedRows(table, selection, first, last, filter);
  }
  void expectInvariant() {
    int ticked = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
      EXPECT_EQ(table.tick(row), selection.contains(row)) << "row " << row;
      ticked += table.tick(row);
    }
    EXPECT_EQ(selection.count(), ticked);
    EXPECT_EQ(selection.label(), kCountPrefix + std::to_string(ticked) + kCountSuffix);
  }
};

TEST_F(Ticking, LabelStartsAtZero) {
  EXPECT_EQ(selection.label(), kCountPrefix + "0" + kCountSuffix);
  EXPECT_EQ(selection.list(), "");
}

TEST_F(Ticking, SpaceWithNoSelectedCellChangesNothing) {
  space(-1, -1, false);
  space(-1, 5, true);
  EXPECT_EQ(selection.list(), "");
  EXPECT_TRUE(labels.empty());
  expectInvariant();
}

TEST_F(Ticking, FilterTicksOnlyOnlineRowsNotYetContacted) {
  status(1, kOnlineStatus, kNotContactedStatus);
  status(2, kOffline, kNotContactedStatus);
  status(3, kOnlineStatus, kContacted);
  status(4, "", kNotContactedStatus);
  space(1, 4, true);
  EXPECT_EQ(selection.list(), "1,");
  expectInvariant();
}

TEST_F(Ticking, FilterRejectsOfflineAndContactedRows) {
  status(5, kOffline, kNotContactedStatus);
  status(6, kOnlineStatus, kContacted);
  space(5, 6, true);
  EXPECT_EQ(selection.list(), "");
  EXPECT_FALSE(table.tick(5));
  EXPECT_FALSE(table.tick(6));
}

TEST_F(Ticking, FilterNeedsExactTexts) {
  status(1, LocalText(kOnlineStatus) + " ", kNotContactedStatus);
  status(2, kOnlineStatus, LocalText(kNotContactedStatus) + kNotContactedStatus);
  space(1, 2, true);
  EXPECT_EQ(selection.list(), "");
}

TEST_F(Ticking, FilterNeverKeepsTickedRowsTicked) {
  for (int row = 1; row <= 3; ++row) status(row, kOnlineStatus, kNotContactedStatus);
  space(1, 3, true);
  status(1, kOffline, kNotContactedStatus);
  status(2, kOnlineStatus, kContacted);
  status(3, "", "");
  space(1, 3, true);
  EXPECT_EQ(selection.list(), "");
  expectInvariant();
}

TEST_F(Ticking, WithoutFilterEveryRowTogglesEmptyOnesToo) {
  status(1, kOffline, kContacted);
  space(1, 4, false);
  EXPECT_EQ(selection.list(), "1,2,3,4,");
  expectInvariant();
}

TEST_F(Ticking, MixedRangeUnticksTheTickedAndTicksTheRest) {
  space(3, 3, false);
  space(5, 5, false);
  space(3, 5, false);
  EXPECT_EQ(selection.list(), "4,");
  EXPECT_EQ(selection.count(), 1);
  EXPECT_EQ(labels.back(), kCountPrefix + "1" + kCountSuffix);
  expectInvariant();
}

TEST_F(Ticking, UntickingRemovesOnlyTheWholeEntry) {
  space(12, 12, false);
  space(3, 3, false);
  space(2, 2, false);
  EXPECT_EQ(selection.list(), "12,3,2,");
  space(2, 2, false);
  EXPECT_EQ(selection.list(), "12,3,");
  space(12, 12, false);
  EXPECT_EQ(selection.list(), "3,");
  expectInvariant();
}

TEST_F(Ticking, EntriesThatEndAlikeAreKeptApart) {
  for (int row : {112, 12, 2, 1012}) space(row, row, false);
  space(12, 12, false);
  EXPECT_EQ(selection.list(), "112,2,1012,");
  space(2, 2, false);
  EXPECT_EQ(selection.list(), "112,1012,");
  expectInvariant();
}

TEST_F(Ticking, LabelIsRewrittenAfterEverySingleRow) {
  space(1, 3, false);
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0], kCountPrefix + "1" + kCountSuffix);
  EXPECT_EQ(labels[2], kCountPrefix + "3" + kCountSuffix);
  space(1, 2, false);
  EXPECT_EQ(labels.back(), kCountPrefix + "1" + kCountSuffix);
}

TEST_F(Ticking, RangeIsClampedToTheResultRows) {
  space(0, 2, false);
  EXPECT_FALSE(table.tick(0));
  EXPECT_EQ(selection.list(), "1,2,");
  space(9999, 20000, false);
  EXPECT_EQ(selection.count(), 4);
  EXPECT_TRUE(table.tick(10000));
  expectInvariant();
}

TEST_F(Ticking, WholeGridTogglesBothWays) {
  space(1, 10000, false);
  EXPECT_EQ(selection.count(), 10000);
  space(1, 10000, false);
  EXPECT_EQ(selection.count(), 0);
  EXPECT_EQ(selection.list(), "");
}

TEST_F(Ticking, ResetEmptiesListCountAndLabel) {
  space(4, 6, false);
  selection.reset();
  EXPECT_EQ(selection.list(), "");
  EXPECT_EQ(selection.count(), 0);
  EXPECT_EQ(labels.back(), kCountPrefix + "0" + kCountSuffix);
}

TEST_F(Ticking, RemovingARowThatIsNoEntryChangesNothing) {
  space(3, 3, false);
  EXPECT_FALSE(selection.remove(4));
  EXPECT_EQ(selection.count(), 1);
  EXPECT_EQ(selection.list(), "3,");
}

}  // namespace
}  // namespace quorvane
