#include "imaccounts/im_account_tip.h"

#include <gtest/gtest.h>

namespace quorvane {

// "千牛" in GBK, then a separator of three bytes.
const LocalText kClient = "\xC7\xA7\xC5\xA3";
const LocalText kSeparator = " - ";

TEST(ImAccountFromTip, NamesTheAccountAfterTheClientNameAndSeparator) {
  EXPECT_EQ(imAccountFromTip(kClient + kSeparator + "alice"), "alice");
  // "店主小王" in GBK: the name is kept byte for byte.
  EXPECT_EQ(imAccountFromTip(kClient + ":\xA3\xBA" "\xB5\xEA\xD6\xF7\xD0\xA1\xCD\xF5"),
            "\xB5\xEA\xD6\xF7\xD0\xA1\xCD\xF5");
}

TEST(ImAccountFromTip, CutsExactlySevenBytesWhateverTheSeparatorHolds) {
  EXPECT_EQ(imAccountFromTip(kClient + "abcdef"), "def");
  EXPECT_EQ(imAccountFromTip(kClient + kSeparator + " x "), " x ");
}

TEST(ImAccountFromTip, IgnoresTipsOfOtherPrograms) {
  EXPECT_EQ(imAccountFromTip("Volume: 80%"), std::nullopt);
  EXPECT_EQ(imAccountFromTip(""), std::nullopt);
  // "千" alone, then another character: only the whole client name counts.
  EXPECT_EQ(imAccountFromTip("\xC7\xA7\xC5\xA4 - alice"), std::nullopt);
  // The client name later in the tip is not a prefix.
  EXPECT_EQ(imAccountFromTip("x" + kClient + kSeparator + "alice"), std::nullopt);
}

TEST(ImAccountFromTip, AClientTipTooShortToNameAnAccountGivesNothing) {
  EXPECT_EQ(imAccountFromTip(kClient), std::nullopt);
  EXPECT_EQ(imAccountFromTip(kClient + "-"), std::nullopt);
  EXPECT_EQ(imAccountFromTip(kClient + "--"), std::nullopt);
  EXPECT_EQ(imAccountFromTip(kClient + kSeparator), std::nullopt);
  EXPECT_EQ(imAccountFromTip("\xC7\xA7\xC5"), std::nullopt);
}

}  // namespace quorvane
