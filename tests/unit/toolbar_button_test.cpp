#include "platform/toolbar_button.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvane::platform {

TEST(ToolbarButtonRecord, SizesFollowTheOwnersBitness) {
  EXPECT_EQ(toolbarButtonSize(ToolbarButtonLayout::Bits32), 20u);
  EXPECT_EQ(toolbarButtonSize(ToolbarButtonLayout::Bits64), 32u);
}

TEST(ToolbarButtonRecord, ReadsTheThirtyTwoBitLayout) {
  std::string bytes("\xFE\xFF\xFF\xFF" "\x39\x30\x00\x00" "\x04\x10" "\x00\x00"
                    "\x78\x56\x34\x12" "\xFF\xFF\xFF\xFF", 20);
  auto button = decodeToolbarButton(bytes, ToolbarButtonLayout::Bits32).value();
  EXPECT_EQ(button.iBitmap, -2);
  EXPECT_EQ(button.idCommand, 12345);
  EXPECT_EQ(button.fsState, 0x04);
  EXPECT_EQ(button.fsStyle, 0x10);
  EXPECT_EQ(button.dwData, 0x12345678u);
  EXPECT_EQ(button.iString, -1);
}

TEST(ToolbarButtonRecord, ReadsTheSixtyFourBitLayout) {
  std::string bytes("\x01\x00\x00\x00" "\xD2\x04\x00\x00" "\x04\x00" "\xAA\xAA\xAA\xAA\xAA\xAA"
                    "\x08\x07\x06\x05\x04\x03\x02\x01" "\x10\x00\x00\x00\x00\x00\x00\x80", 32);
  auto button = decodeToolbarButton(bytes, ToolbarButtonLayout::Bits64).value();
  EXPECT_EQ(button.iBitmap, 1);
  EXPECT_EQ(button.idCommand, 1234);
  EXPECT_EQ(button.fsState, 0x04);
  EXPECT_EQ(button.dwData, 0x0102030405060708u);
  EXPECT_EQ(button.iString, static_cast<std::int64_t>(0x8000000000000010u));
}

TEST(ToolbarButtonRecord, AShortRecordIsRefused) {
  EXPECT_EQ(decodeToolbarButton(std::string(19, '\0'), ToolbarButtonLayout::Bits32), std::nullopt);
  EXPECT_EQ(decodeToolbarButton(std::string(20, '\0'), ToolbarButtonLayout::Bits64), std::nullopt);
}

}  // namespace quorvane::platform
