// Contacting on a machine where no program handles the "aliim:" scheme (the
// IM client is not installed): the shell must show nothing, no "open with"
// dialog and no error box, once per row or at all, and the rows are still
// marked and recorded. Runs in a copy of the prefix without the scheme
// (without-im-client-scheme.sh), beside the substitute marketplace.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "standins.h"
#include "ui_driver.h"

namespace quorvane {
namespace {

const std::wstring kContacted = ui::fromLocal("\xD2\xD1\xC1\xAA\xCF\xB5");  // 已联系

BOOL CALLBACK collectShown(HWND window, LPARAM shown) {
  if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(shown)->insert(window);
  return TRUE;
}

// Every visible top-level window of every process.
std::set<HWND> shownWindows() {
  std::set<HWND> shown;
  EnumWindows(collectShown, reinterpret_cast<LPARAM>(&shown));
  return shown;
}

// The windows that are shown now and were not in `before`, as "class title"
// lines in UTF-8 for the failure message.
std::string windowsShownSince(const std::set<HWND>& before) {
  std::wstring text;
  for (HWND window : shownWindows())
    if (!before.count(window)) text += ui::className(window) + L" \"" + ui::text(window) + L"\"\n";
  std::string bytes(text.size() * 4, '\0');
  bytes.resize(static_cast<size_t>(std::max(0, WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                                   bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                                   nullptr))));
  return bytes;
}

class WithoutTheImClient : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::imClient().reset();
    ui::LaunchOptions options;
    options.files = {{L"data.txt", "old\r\n"}};
    app = ui::App::launch(options);
    ASSERT_NE(app, nullptr);
    main = app->mainWindow();
    grid = std::make_unique<ui::RemoteGrid>(ui::controlAt(main, L"SysListView32", 0, 53));
  }
  HWND button(const char* caption) const { return ui::findControl(main, L"Button", ui::fromLocal(caption)); }
  // The contact shops in 浙江, waited for until their rows stand.
  void searchTheContactShops() {
    HWND panel = ui::findControl(main, L"QuorvaneRegionPanel", L"");
    ui::click(ui::findControl(panel, L"Button", ui::fromLocal("\xD5\xE3\xBD\xAD")));  // 浙江
    ui::typeText(ui::controlAt(ui::controlAt(main, L"Button", -4, 1), L"Edit", 650, 19), L"contactround");
    ui::click(button("\xCB\xD1\xCB\xF7"));  // 搜索
    ASSERT_TRUE(ui::waitUntil([&] { return !grid->cell(3, 8).empty(); }, 30000));
  }
  int rowOf(const std::wstring& id) const {
    for (int row = 1; row <= 3; ++row)
      if (grid->cell(row, 2) == id) return row;
    return -1;
  }
  // Long enough for a dialog the shell would show to be up.
  static void giveTheShellAMoment() { testing::waitFor([] { return false; }, 1500); }

  std::unique_ptr<ui::App> app;
  HWND main = nullptr;
  std::unique_ptr<ui::RemoteGrid> grid;
};

TEST_F(WithoutTheImClient, ContactingShowsNothingAndStillMarksAndRecordsTheRows) {
  searchTheContactShops();
  const std::vector<int> rows = {rowOf(L"ab_c"), rowOf(L"a b c")};
  for (int row : rows) {
    ASSERT_GT(row, 0);
    grid->select(row, row);
    ui::pressKey(grid->handle(), VK_SPACE);
  }
  grid->clearSelection();
  const std::set<HWND> before = shownWindows();
  ui::click(button("\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0"));  // 联系选中
  ASSERT_TRUE(ui::waitUntil([&] { return app->readFile(L"data.txt") == "old\r\nab_c\r\na b c\r\n"; }))
      << "the round did not finish: " << app->readFile(L"data.txt").value_or("(no file)");
  giveTheShellAMoment();
  EXPECT_EQ(windowsShownSince(before), "");
  for (int row : rows) {
    EXPECT_EQ(grid->cell(row, 8), kContacted) << row;
    EXPECT_FALSE(grid->ticked(row)) << row;
  }
  EXPECT_TRUE(testing::imClient().launches().empty());
  ui::saveScreenshot(L"contact-without-im-client");
}

TEST_F(WithoutTheImClient, TheBatchShowsNothingEither) {
  ui::click(button("\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5"));  // 批量联系
  HWND batch = nullptr;
  ASSERT_TRUE(ui::waitUntil([&] {
    batch = app->topLevelWindow(L"QuorvaneBatchIdWindow");
    return batch && IsWindowVisible(batch);
  }));
  // From the shop file: "a" and "c" online, so two launches.
  SendMessageTimeoutW(ui::findControl(batch, L"Edit", L""), WM_SETTEXT, 0,
                      reinterpret_cast<LPARAM>(L"a\r\nb\r\nc\r\n"), SMTO_ABORTIFHUNG, 5000, nullptr);
  const std::set<HWND> before = shownWindows();
  ui::click(ui::findControl(batch, L"Button", ui::fromLocal("\xC1\xAA\xCF\xB5")));  // 联系
  ui::settle(batch);
  giveTheShellAMoment();
  EXPECT_EQ(windowsShownSince(before), "");
  EXPECT_TRUE(app->running());
}

}  // namespace
}  // namespace quorvane
