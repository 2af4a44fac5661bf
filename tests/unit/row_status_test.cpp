#include "search/row_status.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

const LocalText kOnlineText = "\xCD\xFA\xCD\xFA\xD4\xDA\xCF\xDF";
const LocalText kOfflineText = "\xCD\xFA\xCD\xFA\xC0\xEB\xCF\xDF";
const LocalText kContacted = "\xD2\xD1\xC1\xAA\xCF\xB5";
const LocalText kNotContacted = "\xCE\xB4\xC1\xAA\xCF\xB5";
const LocalText kHistory = "older\r\nabcd\r\n";

TEST(RowStatus, OfflineAndContactedIsGrey) {
  auto s = rowStatus("0", kHistory, "abcd");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->presence, kOfflineText);
  EXPECT_EQ(s->contact, kContacted);
  EXPECT_EQ(s->background, kContactedGrey);
  EXPECT_FALSE(s->textColour);
}

TEST(RowStatus, OfflineAndNewKeepsItsColours) {
  auto s = rowStatus("0", kHistory, "other");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->presence, kOfflineText);
  EXPECT_EQ(s->contact, kNotContacted);
  EXPECT_FALSE(s->background);
  EXPECT_FALSE(s->textColour);
}

TEST(RowStatus, OnlineAndContactedIsGrey) {
  auto s = rowStatus("1", kHistory, "abc");  // inside a longer recorded id
  ASSERT_TRUE(s);
  EXPECT_EQ(s->presence, kOnlineText);
  EXPECT_EQ(s->contact, kContacted);
  EXPECT_EQ(s->background, kContactedGrey);
}

TEST(RowStatus, OnlineAndNewIsGreen) {
  auto s = rowStatus("1", kHistory, "Abcd");  // the history is case-sensitive
  ASSERT_TRUE(s);
  EXPECT_EQ(s->contact, kNotContacted);
  EXPECT_EQ(s->textColour, kOnlineGreen);
  EXPECT_FALSE(s->background);
}

TEST(RowStatus, AnyOtherPresenceWritesNothing) {
  for (const char* presence : {"", " 1", "2", "10", "online"}) EXPECT_FALSE(rowStatus(presence, kHistory, "abcd"));
}

TEST(RowStatus, IsAppliedToTheStatusColumnsAndColoursColumnsOneToEight) {
  ResultTable table;
  applyRowStatus(table, 4, *rowStatus("1", "", "x"));
  EXPECT_EQ(table.text(4, 7), kOnlineText);
  EXPECT_EQ(table.text(4, 8), kNotContacted);
  EXPECT_EQ(table.cell(4, 0).textColour, kBlack);
  EXPECT_EQ(table.cell(4, 1).textColour, kOnlineGreen);
  EXPECT_EQ(table.cell(4, 8).textColour, kOnlineGreen);
  EXPECT_EQ(table.cell(5, 1).textColour, kBlack);
  applyRowStatus(table, 5, *rowStatus("0", "x\r\n", "x"));
  EXPECT_EQ(table.cell(5, 0).background, kWhite);
  EXPECT_EQ(table.cell(5, 1).background, kContactedGrey);
  EXPECT_EQ(table.cell(5, 8).background, kContactedGrey);
}

}  // namespace
}  // namespace quorvane
