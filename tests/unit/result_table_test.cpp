#include "app/result_table.h"

#include <gtest/gtest.h>

namespace quorvane {

TEST(ResultTable, WritesOutsideTheGridAreIgnoredAndReadAsEmpty) {
  ResultTable table;
  table.setText(ResultTable::kRowCount, 1, "x");
  table.setText(1, ResultTable::kColumnCount, "x");
  table.setText(-1, 0, "x");
  EXPECT_EQ(table.text(ResultTable::kRowCount, 1), "");
  EXPECT_FALSE(table.tick(-1));
}

TEST(ResultTable, ClearEmptiesTextsAndTicksButKeepsColours) {
  ResultTable table;
  table.setText(2, 3, "abc");
  table.setTick(2, true);
  table.setBackground({2, 1, 2, 8}, kContactedGrey);
  table.clear({1, 0, ResultTable::kRowCount - 1, 8});
  EXPECT_EQ(table.text(2, 3), "");
  EXPECT_FALSE(table.tick(2));
  EXPECT_EQ(table.cell(2, 4).background, kContactedGrey);
  EXPECT_EQ(table.cell(2, 0).background, kWhite);
}

TEST(ResultTable, ListenerHearsTheClampedRowsOfEveryChange) {
  ResultTable table;
  std::vector<std::pair<int, int>> heard;
  table.setChangeListener([&](int first, int last) { heard.emplace_back(first, last); });
  table.setTextColour({-5, 1, 99999, 8}, kOnlineGreen);
  table.setText(7, 2, "id");
  table.setBackground({3, 9, 4, 12}, kWhite);  // no column inside: no change
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0], std::make_pair(0, ResultTable::kRowCount - 1));
  EXPECT_EQ(heard[1], std::make_pair(7, 7));
}

}  // namespace quorvane
