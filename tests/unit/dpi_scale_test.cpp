#include "app/dpi_scale.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(DpiScale, LeavesEveryFigureAloneAtTheDesignDpi) {
  DpiScale scale;
  for (int figure : {-4, 0, 1, 53, 861, 1221, 1300}) EXPECT_EQ(scale(figure), figure);
}

TEST(DpiScale, MultipliesByTheDpiOver96AndRoundsHalvesAwayFromZero) {
  DpiScale at120(120), at144(144);
  EXPECT_EQ(at120(1221), 1526);  // 1526.25
  EXPECT_EQ(at120(30), 38);      // 37.5
  EXPECT_EQ(at144(1221), 1832);  // 1831.5
  EXPECT_EQ(at144(721), 1082);   // 1081.5
  EXPECT_EQ(at144(-4), -6);
  EXPECT_EQ(at120(-30), -38);    // as far from zero as +30
  EXPECT_EQ(DpiScale(168)(12), 21);
}

TEST(DpiScale, AFailedDpiQueryCountsAsTheDesignDpi) {
  EXPECT_EQ(DpiScale(0).dpi(), 96);
  EXPECT_EQ(DpiScale(-1)(100), 100);
}

TEST(DpiScale, LargeFiguresDoNotOverflow) {
  EXPECT_EQ(DpiScale(480)(100000000), 500000000);
}

}  // namespace
}  // namespace quorvane
