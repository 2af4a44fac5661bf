#include "search/credit_rule.h"

#include <gtest/gtest.h>

#include "search/plain_number.h"

namespace quorvane {
namespace {

TEST(PlainNumber, ReadsDigitsWithSurroundingSpaces) {
  EXPECT_EQ(plainNumber("0"), 0);
  EXPECT_EQ(plainNumber("17"), 17);
  EXPECT_EQ(plainNumber(" 5 "), 5);
  EXPECT_EQ(plainNumber("007"), 7);
}

TEST(PlainNumber, RefusesAnythingElse) {
  for (const char* text : {"", " ", "-1", "+1", "1.5", "1e3", "3a", "0x10", "\"4\"", "1 2", "\xD2\xBB"})
    EXPECT_FALSE(plainNumber(text).has_value()) << text;
}

TEST(PlainNumber, RefusesValuesTooLargeToPageThrough) {
  EXPECT_EQ(plainNumber("1000000000000000"), kLargestPlainNumber);
  EXPECT_FALSE(plainNumber("1000000000000001").has_value());
  EXPECT_FALSE(plainNumber("99999999999999999999999999").has_value());
}

TEST(CreditRule, AcceptsRanksUpToTheLimit) {
  EXPECT_TRUE(withinCreditLimit("0", 0));
  EXPECT_FALSE(withinCreditLimit("1", 0));
  EXPECT_TRUE(withinCreditLimit("3", 3));
  EXPECT_FALSE(withinCreditLimit("4", 3));
  EXPECT_TRUE(withinCreditLimit("5", 5));
}

TEST(CreditRule, NoSelectedLimitAcceptsNothing) { EXPECT_FALSE(withinCreditLimit("0", -1)); }

TEST(CreditRule, AnUnreadableRankIsWithinNoLimit) {
  EXPECT_FALSE(withinCreditLimit("", 5));
  EXPECT_FALSE(withinCreditLimit("2a", 5));
  EXPECT_FALSE(withinCreditLimit("-1", 5));
}

}  // namespace
}  // namespace quorvane
