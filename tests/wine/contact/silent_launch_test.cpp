// Contacting on a machine where no program handles the "aliim:" scheme (the
// IM client is not installed): the shell must show nothing, no "open with"
// dialog and no error box, once per row or at all; nothing happened to those
// sellers, so their rows keep their ticks and look, the history stays as it
// was, and the status bar says why. Runs in a copy of the prefix without the
// scheme (without-im-client-scheme.sh), beside the substitute marketplace.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "contact_shop_search.h"
#include "standins.h"
#include "ui_driver.h"

namespace quorvane {
namespace {

const std::wstring kNotContacted = ui::fromLocal("\xCE\xB4\xC1\xAA\xCF\xB5");  // 未联系
// 未找到处理 aliim: 链接的程序，请先安装并登录客户端
const std::wstring kNoHandler = ui::fromLocal(
    "\xCE\xB4\xD5\xD2\xB5\xBD\xB4\xA6\xC0\xED aliim: \xC1\xB4\xBD\xD3\xB5\xC4\xB3\xCC\xD0\xF2\xA3\xAC"
    "\xC7\xEB\xCF\xC8\xB0\xB2\xD7\xB0\xB2\xA2\xB5\xC7\xC2\xBC\xBF\xCD\xBB\xA7\xB6\xCB");

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
  int rowOf(const std::wstring& id) const { return testing::rowOfSeller(*grid, id); }
  // Long enough for a dialog the shell would show to be up.
  static void giveTheShellAMoment() { testing::waitFor([] { return false; }, 1500); }

  std::unique_ptr<ui::App> app;
  HWND main = nullptr;
  std::unique_ptr<ui::RemoteGrid> grid;
};

TEST_F(WithoutTheImClient, ContactingShowsNothingLeavesTheRowsTickedAndUnrecordedAndSaysWhy) {
  ASSERT_TRUE(testing::searchTheContactShops(main, *grid));
  const std::vector<int> rows = {rowOf(L"ab_c"), rowOf(L"a b c")};
  for (int row : rows) {
    ASSERT_GT(row, 0);
    grid->select(row, row);
    ui::pressKey(grid->handle(), VK_SPACE);
  }
  grid->clearSelection();
  const std::set<HWND> before = shownWindows();
  ui::click(button("\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0"));  // 联系选中
  ASSERT_TRUE(ui::waitUntil([&] { return ui::statusText(main).find(kNoHandler) != std::wstring::npos; }))
      << "the round did not say why: " << windowsShownSince({});
  EXPECT_EQ(ui::statusText(main), L"2 " + ui::fromLocal("\xB8\xF6\xCE\xB4\xC4\xDC\xB4\xF2\xBF\xAA\xA3\xBA") + kNoHandler);
  giveTheShellAMoment();
  EXPECT_EQ(windowsShownSince(before), "");
  for (int row : rows) {
    EXPECT_EQ(grid->cell(row, 8), kNotContacted) << row;
    EXPECT_TRUE(grid->ticked(row)) << row;
    EXPECT_TRUE(grid->cellComesToShow(row, 4, RGB(255, 255, 255))) << "not greyed: " << row;
  }
  EXPECT_EQ(ui::text(ui::controlAt(main, L"Static", 676, 657)),
            ui::fromLocal("\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "2 \xB8\xF6"))
      << "已选中数量：2 个: the rows are still in the selection";
  EXPECT_EQ(app->readFile(L"data.txt"), std::optional<std::string>("old\r\n"));
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
  // 批量联系：2 个未能打开：未找到处理 aliim: 链接的程序…
  EXPECT_TRUE(ui::waitUntil([&] {
    return ui::statusText(main) == ui::fromLocal("\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5\xA3\xBA" "2 \xB8\xF6\xCE\xB4\xC4\xDC\xB4\xF2\xBF\xAA\xA3\xBA") + kNoHandler;
  })) << ui::statusText(main).size();
  giveTheShellAMoment();
  EXPECT_EQ(windowsShownSince(before), "");
  EXPECT_TRUE(app->running());
}

}  // namespace
}  // namespace quorvane
