#include "app/row_fit.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvane {
namespace {

int endOf(const std::vector<RowItem>& row) { return row.back().left + row.back().width; }

void expectOrderedWithoutOverlap(const std::vector<RowItem>& row) {
  int end = 0;
  for (const RowItem& item : row) {
    EXPECT_GE(item.left, end);
    EXPECT_GE(item.width, item.minimumWidth);
    end = item.left + item.width;
  }
}

// Three buttons of 60 with gaps of 40 (the first from 0), none may narrow.
const std::vector<RowItem> kRigid = {{40, 60, 60}, {140, 60, 60}, {240, 60, 60}};
// A label, an edit box that may narrow from 200 to 100, and a button.
const std::vector<RowItem> kWithEdit = {{20, 50, 50}, {80, 200, 100}, {300, 60, 60}};

TEST(RowFit, ARowThatFitsStaysExactlyAsItIs) {
  for (int right : {300, 301, 5000}) {
    std::vector<RowItem> fitted = fitRow(kRigid, right);
    for (size_t i = 0; i < kRigid.size(); ++i) {
      EXPECT_EQ(fitted[i].left, kRigid[i].left);
      EXPECT_EQ(fitted[i].width, kRigid[i].width);
    }
  }
}

TEST(RowFit, RigidControlsKeepTheirWidthsAndTheGapsShrinkAlike) {
  std::vector<RowItem> fitted = fitRow(kRigid, 240);  // 60 too long: each gap gives 20
  EXPECT_EQ(endOf(fitted), 240);
  EXPECT_EQ(fitted[0].left, 20);
  EXPECT_EQ(fitted[1].left, 100);
  EXPECT_EQ(fitted[2].left, 180);
  for (const RowItem& item : fitted) EXPECT_EQ(item.width, 60);
}

TEST(RowFit, ElasticControlsNarrowBeforeAnyGapShrinks) {
  std::vector<RowItem> fitted = fitRow(kWithEdit, 310);  // 50 too long, the edit box can give 100
  EXPECT_EQ(endOf(fitted), 310);
  EXPECT_EQ(fitted[0].left, 20);
  EXPECT_EQ(fitted[1].left, 80);
  EXPECT_EQ(fitted[1].width, 150);
  EXPECT_EQ(fitted[2].left, 250);
}

TEST(RowFit, GapsShrinkOnceTheElasticControlsAreAtTheirMinimum) {
  std::vector<RowItem> fitted = fitRow(kWithEdit, 250);  // 110 too long
  EXPECT_EQ(fitted[1].width, 100);
  EXPECT_EQ(endOf(fitted), 250);
  expectOrderedWithoutOverlap(fitted);
}

TEST(RowFit, ARowSqueezedToItsNarrowestEndsWhereNarrowestRowEndSays) {
  for (const auto& row : {kRigid, kWithEdit}) {
    const int narrowest = narrowestRowEnd(row);
    std::vector<RowItem> fitted = fitRow(row, narrowest);
    EXPECT_EQ(endOf(fitted), narrowest);
    expectOrderedWithoutOverlap(fitted);
    // Gaps keep 40 % of their size: never closed, so labels stay apart.
    for (size_t i = 1; i < fitted.size(); ++i)
      EXPECT_GE(fitted[i].left - (fitted[i - 1].left + fitted[i - 1].width),
                (row[i].left - (row[i - 1].left + row[i - 1].width)) * 4 / 10);
  }
  EXPECT_EQ(narrowestRowEnd(kRigid), 180 + 3 * 16);
}

TEST(RowFit, NoRoomAtAllStillLeavesTheRowOrderedAndAsNarrowAsItGoes) {
  std::vector<RowItem> fitted = fitRow(kWithEdit, 0);
  EXPECT_EQ(endOf(fitted), narrowestRowEnd(kWithEdit));
  expectOrderedWithoutOverlap(fitted);
}

TEST(RowFit, EverySqueezeOfAWideRowEndsAtTheRightWithNothingLost) {
  // The bottom row of the main window at 120 DPI: eleven controls, one list
  // that may narrow, odd gaps that must round without drifting.
  const std::vector<RowItem> bottom = {
      {38, 74, 74},     {115, 210, 150},  {341, 79, 79},  {438, 79, 79},
      {555, 110, 110},  {686, 131, 131},  {845, 140, 140}, {993, 79, 79},
      {1096, 79, 79},   {1200, 79, 79},   {1399, 61, 61}};
  for (int right = narrowestRowEnd(bottom); right <= 1460; ++right) {
    std::vector<RowItem> fitted = fitRow(bottom, right);
    ASSERT_EQ(endOf(fitted), right) << right;
    expectOrderedWithoutOverlap(fitted);
  }
}

TEST(RowFit, AnEmptyRowStaysEmpty) {
  EXPECT_TRUE(fitRow({}, 100).empty());
  EXPECT_EQ(narrowestRowEnd({}), 0);
}

}  // namespace
}  // namespace quorvane
