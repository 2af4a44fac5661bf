// A program folder the user may not write into, as under Program Files: the
// history and the settings go to the per-user folder (%LOCALAPPDATA%\Quorvane),
// the status bar says where the history is kept, and the next start finds
// both there. The folder comes from in-read-only-folder.sh: Quorvane.exe and
// a data.txt holding "old", no new file allowed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "contact_shop_search.h"
#include "standins.h"
#include "ui_driver.h"

namespace quorvane {
namespace {

using testing::imClient;

std::wstring windowsPathOf(const char* unixPath) {
  std::wstring path = L"Z:";
  for (const char* c = unixPath; *c; ++c) path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
  return path;
}

class ReadOnlyProgramFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("QUORVANE_READ_ONLY_FOLDER");
    ASSERT_NE(folder, nullptr) << "run under tests/wine/contact/in-read-only-folder.sh";
    programFolder = windowsPathOf(folder);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    perUser = std::wstring(temp) + L"quorvane-per-user-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(perUser.c_str(), nullptr);
    imClient().reset();
  }
  void TearDown() override {
    app.reset();
    testing::closeStandinWindows();
    for (const wchar_t* name : {L"\\Quorvane\\data.txt", L"\\Quorvane\\Quorvane.ini"}) DeleteFileW((perUser + name).c_str());
    RemoveDirectoryW((perUser + L"\\Quorvane").c_str());
    RemoveDirectoryW(perUser.c_str());
  }
  void launch() {
    ui::LaunchOptions options;
    options.folder = programFolder;
    options.environment = {{L"LOCALAPPDATA", perUser}};
    app = ui::App::launch(options);
    ASSERT_NE(app, nullptr);
    main = app->mainWindow();
    grid = std::make_unique<ui::RemoteGrid>(ui::controlAt(main, L"SysListView32", 0, 53));
  }
  HWND button(const char* caption) const { return ui::findControl(main, L"Button", ui::fromLocal(caption)); }
  HWND keywordBox() const { return ui::keywordBox(main); }
  int rowOf(const std::wstring& id) const { return testing::rowOfSeller(*grid, id); }
  void exitProgram() {
    HWND menu = app->openTrayMenu();
    ASSERT_NE(menu, nullptr);
    ui::chooseMenuItem(menu, ui::kExitMenuItem);
    ASSERT_EQ(app->waitForExit(), std::optional<DWORD>(0));
  }

  std::wstring programFolder, perUser;
  std::unique_ptr<ui::App> app;
  HWND main = nullptr;
  std::unique_ptr<ui::RemoteGrid> grid;
};

TEST_F(ReadOnlyProgramFolder, KeepsTheHistoryAndTheSettingsPerUserAcrossTwoStarts) {
  launch();
  ASSERT_TRUE(testing::searchTheContactShops(main, *grid));
  const int row = rowOf(L"ab_c");
  ASSERT_GT(row, 0);
  grid->select(row, row);
  ui::pressKey(grid->handle(), VK_SPACE);
  const auto clicked = std::chrono::steady_clock::now();
  ui::click(button("\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0"));  // 联系选中
  // 已打开 1 个聊天；联系记录保存在 <per-user folder>\Quorvane\data.txt
  const std::wstring told = ui::fromLocal("\xD2\xD1\xB4\xF2\xBF\xAA 1 \xB8\xF6\xC1\xC4\xCC\xEC\xA3\xBB"
                                          "\xC1\xAA\xCF\xB5\xBC\xC7\xC2\xBC\xB1\xA3\xB4\xE6\xD4\xDA ") +
                            perUser + L"\\Quorvane\\data.txt";
  ASSERT_TRUE(ui::waitUntil([&] { return ui::statusText(main) == told; })) << "the status bar did not tell";
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - clicked);
  std::printf("contact round with the history moved aside: %lld ms from the click to the status\n",
              static_cast<long long>(took.count()));
  EXPECT_EQ(app->readPerUserFile(L"data.txt"), std::optional<std::string>("old\r\nab_c\r\n"));
  EXPECT_EQ(app->readFile(L"data.txt"), std::optional<std::string>("old\r\n"));
  ui::saveScreenshot(L"history-per-user");
  exitProgram();
  const std::optional<std::string> settings = app->readPerUserFile(L"Quorvane.ini");
  ASSERT_TRUE(settings.has_value()) << "the settings went nowhere";
  EXPECT_EQ(settings->substr(0, 2), "\xFF\xFE");
  EXPECT_FALSE(app->readFile(L"Quorvane.ini").has_value());

  launch();
  EXPECT_EQ(ui::text(keywordBox()), L"contactround");
  EXPECT_TRUE(ui::isChecked(button("\xD5\xE3\xBD\xAD")));  // 浙江
  ASSERT_TRUE(testing::searchTheContactShops(main, *grid));
  EXPECT_EQ(grid->cell(rowOf(L"ab_c"), 8), ui::fromLocal("\xD2\xD1\xC1\xAA\xCF\xB5")) << "已联系: the history was found";
  EXPECT_EQ(grid->cell(rowOf(L"a b c"), 8), ui::fromLocal("\xCE\xB4\xC1\xAA\xCF\xB5"));
}

}  // namespace
}  // namespace quorvane
