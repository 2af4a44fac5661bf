// The program's folder may be named with characters that GBK lacks (the
// driver's folders hold Korean and an emoji); the history beside the exe
// must still be found there.
#include <gtest/gtest.h>

#include "ui_driver.h"

namespace quorvane::ui {
namespace {

bool representableInGbk(const std::wstring& text) {
  BOOL lost = FALSE;
  WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                      &lost);
  return !lost;
}

TEST(ProgramFolderOutsideGbk, TheFirstContactRoundCreatesTheHistoryThere) {
  auto app = App::launch();
  ASSERT_NE(app, nullptr);
  ASSERT_FALSE(representableInGbk(app->folder())) << "the driver's folder name is meant to lie outside GBK";
  ASSERT_EQ(app->readFile(L"data.txt"), std::nullopt);
  click(findControl(app->mainWindow(), L"Button", fromLocal("\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0")));  // 联系选中
  EXPECT_EQ(app->readFile(L"data.txt"), std::optional<std::string>(""));
}

}  // namespace
}  // namespace quorvane::ui
