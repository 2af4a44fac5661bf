#include "app/export_file_name.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

constexpr CalendarDate kDay{2024, 5, 7};

TEST(ExportFileName, IsTheKeywordAndTheDay) {
  EXPECT_EQ(exportFileName("\xC1\xAC\xD2\xC2\xC8\xB9", kDay), "\xC1\xAC\xD2\xC2\xC8\xB9_2024-05-07.csv");  // 连衣裙
  EXPECT_EQ(exportFileName("kids shoes", {2031, 12, 31}), "kids shoes_2031-12-31.csv");
}

TEST(ExportFileName, ReplacesWhatWindowsRefusesButNeverHalfACharacter) {
  EXPECT_EQ(exportFileName("a/b\\c:d*e?f\"g<h>i|j\tk", kDay), "a_b_c_d_e_f_g_h_i_j_k_2024-05-07.csv");
  // 乗 ends in 0x5C, the backslash, as its second byte; 丂 in 0x40.
  EXPECT_EQ(exportFileName("\x81\x5C\x81\x40", kDay), "\x81\x5C\x81\x40_2024-05-07.csv");
}

TEST(ExportFileName, DropsOuterSpacesAndTrailingDotsAndNamesAnEmptyKeyword) {
  EXPECT_EQ(exportFileName("  toys. . ", kDay), "toys_2024-05-07.csv");
  EXPECT_EQ(exportFileName("   ", kDay), "\xCB\xD1\xCB\xF7\xBD\xE1\xB9\xFB_2024-05-07.csv");  // 搜索结果
  EXPECT_EQ(exportFileName("..", kDay), "\xCB\xD1\xCB\xF7\xBD\xE1\xB9\xFB_2024-05-07.csv");
  EXPECT_EQ(exportFileName("", kDay), "\xCB\xD1\xCB\xF7\xBD\xE1\xB9\xFB_2024-05-07.csv");
}

TEST(ExportFileName, CutsALongKeywordAtACharacterBoundary) {
  LocalText keyword = "x";
  for (int i = 0; i < 40; ++i) keyword += "\xD2\xC2";  // 衣
  const LocalText name = exportFileName(keyword, kDay);
  EXPECT_EQ(name, keyword.substr(0, 63) + "_2024-05-07.csv");
}

}  // namespace
}  // namespace quorvane
