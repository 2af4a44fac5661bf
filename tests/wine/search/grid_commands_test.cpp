// The grid's own commands as a user gives them: the context menu (right
// click, Shift+F10, the menu key), Ctrl+A and Ctrl+C, with the clipboard,
// the export file and the browser read back from the test.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../contact/standins.h"
#include "../../unit/csv_reader.h"
#include "export_dialog_driver.h"
#include "market_texts.h"
#include "marketplace_session.h"
#include "ui_driver.h"

extern "C" DWORD WINAPI RtlComputeCrc32(DWORD initial, const BYTE* data, INT length);

namespace quorvane {
namespace {

using namespace quorvane::testing;  // the marketplace session, its texts, the browser stand-in
using ui::App;
using ui::fromLocal;

const LocalText kExportKeyword = "\xB5\xBC\xB3\xF6\xB1\xED\xB8\xF1";  // 导出表格
const LocalText kExportTitle = "\xB5\xBC\xB3\xF6\xC8\xAB\xB2\xBF\xBD\xE1\xB9\xFB";  // 导出全部结果
const std::wstring kSelectedThree = fromLocal("\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "3 \xB8\xF6");  // 已选中数量：3 个
constexpr int kRows = 5;  // 导出表格 in 浙江 (shops.tsv)

// The menu's items by their access keys.
enum MenuItem : wchar_t {
  kCopyIds = L'i',
  kCopyRows = L'c',
  kExportAll = L'e',
  kExportTicked = L's',
  kOpenShop = L'o',
  kWorthContactingOnly = L'v',
};

std::string utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(std::max(n, 0)), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

class GridCommands : public ::testing::Test {
 protected:
  MarketplaceSession market;
  std::unique_ptr<App> app;
  HWND window = nullptr, list = nullptr;
  std::unique_ptr<ui::RemoteGrid> grid;

  void SetUp() override {
    ASSERT_TRUE(market.running()) << "run under tests/services/with-marketplace.sh";
    ui::emptyClipboard();
    browser().reset();
    app = App::launch();
    ASSERT_NE(app, nullptr);
    window = app->mainWindow();
    list = ui::findControl(window, L"SysListView32", L"");
    ASSERT_NE(list, nullptr);
    grid = std::make_unique<ui::RemoteGrid>(list);
  }

  void search() {
    HWND header = ui::controlAt(window, L"Button", -4, 1);
    ui::click(ui::findControl(window, L"Button", fromLocal(kZhejiang)));
    ui::typeText(ui::keywordBox(window), fromLocal(kExportKeyword));
    HWND searchButton = ui::findControl(header, L"Button", fromLocal(kSearchCaption));
    ui::click(searchButton);
    ASSERT_TRUE(ui::waitUntil([&] { return !IsWindowEnabled(searchButton); }));
    ASSERT_TRUE(ui::waitUntil([&] { return IsWindowEnabled(searchButton) != FALSE; }, 60000));
    ASSERT_EQ(grid->cell(kRows, 2), L"plain-5");
    ASSERT_EQ(grid->cell(kRows + 1, 2), L"");
  }

  void choose(MenuItem item) {
    HWND menu = ui::waitForPopupMenu(app->processId());
    ASSERT_NE(menu, nullptr) << "no menu showed";
    ui::pressMenuAccessKey(menu, item);
    ASSERT_TRUE(ui::waitUntil([&] { return !IsWindowVisible(menu); }));
    ui::settle(window);
  }

  std::wstring clipboardOnceSet() const {
    std::optional<std::wstring> text;
    ui::waitUntil([&] { return (text = ui::clipboardText()).has_value(); });
    return text.value_or(L"(nothing on the clipboard)");
  }

  // A row as 复制选中行 gives it: the text columns, tab-separated.
  std::wstring copiedRow(int row) const {
    std::wstring line;
    for (int column = 1; column <= 8; ++column) {
      std::wstring cell = grid->cell(row, column);
      if (!cell.empty() && cell[0] == L'=') cell = L"'" + cell;  // kept from running as a formula
      line += (column > 1 ? L"\t" : L"") + cell;
    }
    return line + L"\r\n";
  }
  std::wstring titles() const {
    std::wstring line;
    for (int column = 1; column <= 8; ++column) line += (column > 1 ? L"\t" : L"") + grid->title(column);
    return line + L"\r\n";
  }
};

TEST_F(GridCommands, ARightClickOnASelectedRowOffersTheIdsOfTheSelection) {
  search();
  grid->select(2, 4);
  ui::rightClick(list, grid->pointInCell(3, 2));
  choose(kCopyIds);
  EXPECT_EQ(clipboardOnceSet(), L"quote_shop\r\nformula\r\n" + fromLocal("\xC6\xD5\xCD\xA8" "1\xBA\xC5") + L"\r\n");
  EXPECT_EQ(grid->selectedRows(), (std::vector<int>{2, 3, 4}));
}

TEST_F(GridCommands, ShiftF10CopiesTheSelectedRowsUnderTheColumnTitles) {
  search();
  grid->select(1, 3);
  ui::pressKeyWith(list, {VK_SHIFT}, VK_F10);
  HWND menu = ui::waitForPopupMenu(app->processId());
  ASSERT_NE(menu, nullptr);
  ui::pressMenuAccessKey(menu, L'c');  // 复制选中行(&C)
  ASSERT_TRUE(ui::waitUntil([&] { return !IsWindowVisible(menu); }));
  const std::wstring copied = clipboardOnceSet();
  EXPECT_EQ(copied, titles() + copiedRow(1) + copiedRow(2) + copiedRow(3));
  // 店铺名称 first; the name with a comma, the quoted one, the formula kept as text.
  EXPECT_EQ(copied.substr(0, 4), fromLocal("\xB5\xEA\xC6\xCC\xC3\xFB\xB3\xC6"));
  EXPECT_NE(copied.find(fromLocal("\xB5\xEA\xC6\xCC, \xB6\xBA\xBA\xC5\t")), std::wstring::npos);
  EXPECT_NE(copied.find(L"\r\n'=1+2 "), std::wstring::npos) << "the formula in a name is kept as text";
}

TEST_F(GridCommands, CtrlASelectsEveryWrittenRowAndSpaceThenTicksThroughTheFilter) {
  search();
  grid->select(2, 2);
  ui::pressKeyWith(list, {VK_CONTROL}, 'A');
  EXPECT_EQ(grid->selectedRows(), (std::vector<int>{1, 2, 3, 4, 5}));
  ui::pressKey(list, VK_SPACE);
  // Online and not contacted: rows 1, 4 and 5; row 2 is offline, row 3 has no status.
  EXPECT_TRUE(grid->ticked(1));
  EXPECT_FALSE(grid->ticked(2));
  EXPECT_FALSE(grid->ticked(3));
  EXPECT_TRUE(grid->ticked(4));
  EXPECT_TRUE(grid->ticked(5));
  EXPECT_FALSE(grid->ticked(6));
  EXPECT_EQ(ui::text(ui::controlAt(window, L"Static", 676, 657)), kSelectedThree);
}

// The same rule as the space bar's, one row at a time: the filter lets only
// online, not yet contacted rows be ticked, a ticked one is unticked.
TEST_F(GridCommands, AClickOnATickBoxTicksItsRowAsTheSpaceBarDoes) {
  search();
  auto clickTickBox = [&](int row) {
    const POINT at = grid->pointInTickBox(row);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ui::settle(window);
  };
  for (int row : {4, 2, 3, 1, 5}) clickTickBox(row);
  EXPECT_TRUE(grid->ticked(4));
  EXPECT_FALSE(grid->ticked(2)) << "offline";
  EXPECT_FALSE(grid->ticked(3)) << "no status";
  EXPECT_TRUE(grid->ticked(1));
  EXPECT_EQ(ui::text(ui::controlAt(window, L"Static", 676, 657)), kSelectedThree);
  clickTickBox(4);
  EXPECT_FALSE(grid->ticked(4));
  const POINT name = grid->pointInCell(5, 1);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(name.x, name.y));
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(name.x, name.y));
  ui::settle(window);
  EXPECT_TRUE(grid->ticked(5)) << "a click beside the box ticks nothing";
  EXPECT_EQ(ui::text(ui::controlAt(window, L"Static", 676, 657)),
            fromLocal("\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "2 \xB8\xF6"));
}

TEST_F(GridCommands, CtrlCCopiesLikeTheMenuAndAPlainCDoesNot) {
  search();
  grid->select(4, 5);
  ui::pressKey(list, 'C');
  EXPECT_FALSE(ui::clipboardText().has_value());
  ui::pressKeyWith(list, {VK_CONTROL}, 'C');
  EXPECT_EQ(clipboardOnceSet(), titles() + copiedRow(4) + copiedRow(5));
}

TEST_F(GridCommands, TheMenuKeyExportsEveryRowAsCsvUnderTheNameTheUserConfirms) {
  search();
  grid->select(2, 2);  // the export takes every row, whatever is selected
  ui::pressKey(list, VK_APPS);
  choose(kExportAll);
  HWND dialog = waitForExportDialog(*app, fromLocal(kExportTitle));
  ASSERT_NE(dialog, nullptr);
  SYSTEMTIME today{};
  GetLocalTime(&today);
  wchar_t day[32];
  swprintf(day, 32, L"_%04d-%02d-%02d.csv", today.wYear, today.wMonth, today.wDay);
  EXPECT_EQ(ui::text(exportNameBox(dialog)), fromLocal(kExportKeyword) + day);
  // The choice of rows, the rows shown first: every row, as nothing is filtered.
  HWND shownRows = exportChoice(dialog, fromLocal("\xCF\xD4\xCA\xBE\xB5\xC4\xD0\xD0"));  // 显示的行
  ASSERT_NE(shownRows, nullptr);
  EXPECT_TRUE(ui::isChecked(shownRows));
  EXPECT_NE(ui::text(shownRows).find(L"5 "), std::wstring::npos);
  ui::waitUntil([] { return false; }, 500);  // the dialog paints its parts one after another
  ui::saveScreenshot(L"export-dialog");

  const std::wstring name = fromLocal("\xBD\xE1\xB9\xFB") + L" export.csv";  // 结果 export.csv
  const std::optional<std::string> csv = saveExport(*app, dialog, name);
  ASSERT_TRUE(csv.has_value());

  // Where each shop was found and when the search started close every record.
  const std::optional<std::vector<CsvRecord>> records = readCsv(std::string_view(*csv).substr(3));
  ASSERT_TRUE(records && records->size() == kRows + 1);
  const std::string searchTime = (*records)[1].back();
  EXPECT_EQ(searchTime.size(), 25u) << searchTime;  // 2024-05-17T09:03:22+08:00
  const std::string where = ",\xE6\xB5\x99\xE6\xB1\x9F," + utf8(fromLocal(kExportKeyword)) + "," + searchTime;  // ,浙江,导出表格,
  std::string expected = "\xEF\xBB\xBF" + utf8(grid->title(1));
  for (int column = 2; column <= 8; ++column) expected += "," + utf8(grid->title(column));
  expected += ",\xE5\x9C\xB0\xE5\x8C\xBA,\xE5\x85\xB3\xE9\x94\xAE\xE8\xAF\x8D,\xE6\x90\x9C\xE7\xB4\xA2\xE6\x97\xB6\xE9\x97\xB4\r\n";
  for (int row = 1; row <= kRows; ++row) {
    for (int column = 1; column <= 8; ++column) {
      std::string field = utf8(grid->cell(row, column));
      if (!field.empty() && field[0] == '=') field = "'" + field;
      if (field.find_first_of(",\"") != std::string::npos) {
        std::string quoted = "\"";
        for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        field = quoted + "\"";
      }
      expected += (column > 1 ? "," : "") + field;
    }
    expected += where + "\r\n";
  }
  EXPECT_EQ(*csv, expected);
  // 已导出 5 条结果：<path>, the path with its characters outside GBK
  const std::wstring exported =
      fromLocal("\xD2\xD1\xB5\xBC\xB3\xF6 5 \xCC\xF5\xBD\xE1\xB9\xFB\xA3\xBA") + app->folder() + L"\\" + name;
  EXPECT_TRUE(ui::waitUntil([&] { return ui::statusText(window) == exported; }));
  // The comma and the quotes of shops.tsv, as a spreadsheet will read them.
  EXPECT_NE(csv->find("\r\n\"\xE5\xBA\x97\xE9\x93\xBA, \xE9\x80\x97\xE5\x8F\xB7\",\xE9\x80\x97\xE5\x8F\xB7\xE5\xBA\x97,"),
            std::string::npos);  // "店铺, 逗号",逗号店,
  EXPECT_NE(csv->find("\r\n\"\xE5\xBC\x95\xE5\x8F\xB7\\\"\"\xE5\xA5\xBD\\\"\"\xE5\xBA\x97\",quote_shop,"),
            std::string::npos);  // the name as the page wrote it, 引号\"好\"店
  EXPECT_NE(csv->find(",\xE7\xA9\xBA,"), std::string::npos);  // 空
  EXPECT_NE(csv->find("\r\n'=1+2 \xE5\xBA\x97,formula,12,22,0\xE5\xBF\x83,\xE9\x9E\x8B\xE9\x9D\xB4,,," + where.substr(1) + "\r\n"),
            std::string::npos);  // empty status columns
}

// ---- the view: only the sellers worth contacting, sorted ----

const std::wstring kWorthContactingView = fromLocal(
    "\xD6\xBB\xCF\xD4\xCA\xBE\xD4\xDA\xCF\xDF\xC7\xD2\xCE\xB4\xC1\xAA\xCF\xB5 3/5");  // 只显示在线且未联系 3/5

// The filter hides the offline row and the one without a status, sorting
// reorders what is left, and a tick stays with its seller however the rows
// move: the label, the tick boxes and "导出选中行…" all name the same shop.
TEST_F(GridCommands, TicksStayWithTheirSellersThroughTheFilterAndEverySort) {
  search();
  grid->select(1, 1);
  ui::pressKey(list, VK_APPS);
  choose(kWorthContactingOnly);
  ASSERT_TRUE(ui::waitUntil([&] { return grid->rowCount() == 4; })) << "three lines under the titles";
  EXPECT_EQ(ui::statusText(window, ui::StatusPart::View), kWorthContactingView);
  grid->clickTitle(3);  // 宝贝数量: 10, 13, 14
  grid->clickTitle(3);  // descending
  EXPECT_EQ(grid->cell(1, 2), L"plain-5");
  EXPECT_EQ(grid->cell(3, 2), fromLocal("\xB6\xBA\xBA\xC5\xB5\xEA"));  // 逗号店
  ui::saveScreenshot(L"view-filtered-sorted");
  grid->select(1, 1);
  ui::pressKey(list, VK_SPACE);
  EXPECT_TRUE(grid->ticked(1));
  grid->clickTitle(3);  // back to the search's order: plain-5 is the last line
  EXPECT_EQ(grid->cell(3, 2), L"plain-5");
  EXPECT_TRUE(grid->ticked(3));
  EXPECT_FALSE(grid->ticked(1));
  EXPECT_EQ(grid->selectedRows(), (std::vector<int>{3})) << "the selection moved with its row";
  ui::pressKey(list, VK_APPS);
  choose(kWorthContactingOnly);  // every row again: plain-5 is row 5
  ASSERT_TRUE(ui::waitUntil([&] { return grid->cell(5, 2) == L"plain-5"; }));
  EXPECT_TRUE(grid->ticked(5));
  EXPECT_EQ(ui::statusText(window, ui::StatusPart::View), L"");
  EXPECT_EQ(ui::text(ui::controlAt(window, L"Static", 676, 657)),
            fromLocal("\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "1 \xB8\xF6"));
}

// "导出全部结果…" offers the rows shown, in the grid's order, or every result
// in the search's; "导出选中行…" writes the ticked rows in ticking order. Each
// is read back field by field against the grid.
TEST_F(GridCommands, ExportsTheRowsShownEveryResultOrTheTickedOnesFieldByField) {
  search();
  grid->select(5, 5);
  ui::pressKey(list, VK_SPACE);
  grid->select(1, 1);
  ui::pressKey(list, VK_SPACE);  // ticked: plain-5, then 逗号店
  ui::pressKey(list, VK_APPS);
  choose(kWorthContactingOnly);
  ASSERT_TRUE(ui::waitUntil([&] { return grid->rowCount() == 4; }));
  grid->clickTitle(4);  // 月销量 ascending: 20, 23, 24
  grid->clickTitle(4);  // descending: plain-5, 普通1号, 逗号店
  const auto lineOf = [&](int line) {
    CsvRecord record;
    for (int column = 1; column <= 8; ++column) record.push_back(utf8(grid->cell(line, column)));
    return record;
  };
  const std::vector<CsvRecord> shown = {lineOf(1), lineOf(2), lineOf(3)};
  const auto exportAs = [&](MenuItem item, const LocalText& title, const std::wstring& name, const std::wstring& choice) {
    ui::pressKey(list, VK_APPS);
    choose(item);
    HWND dialog = waitForExportDialog(*app, fromLocal(title));
    EXPECT_NE(dialog, nullptr);
    const std::optional<std::string> csv = saveExport(*app, dialog, name, choice);
    std::optional<std::vector<CsvRecord>> records = csv ? readCsv(std::string_view(*csv).substr(3)) : std::nullopt;
    EXPECT_TRUE(records.has_value()) << "no file, or one that breaks RFC 4180";
    std::vector<CsvRecord> rows = records.value_or(std::vector<CsvRecord>(1));
    rows.erase(rows.begin());  // the titles
    for (CsvRecord& row : rows) {
      EXPECT_EQ(row.size(), 11u);
      EXPECT_EQ(row.at(8), "\xE6\xB5\x99\xE6\xB1\x9F");  // 浙江
      EXPECT_EQ(row.at(9), utf8(fromLocal(kExportKeyword)));
      row.resize(8);
      if (!row[0].empty() && row[0][0] == '\'') row[0].erase(0, 1);  // a formula kept as text
    }
    return rows;
  };
  // 显示的行 (3 条), the choice offered first
  EXPECT_EQ(exportAs(kExportAll, kExportTitle, L"view.csv", L""), shown);
  // 全部结果 (5 条), in the search's order
  const std::vector<CsvRecord> all = exportAs(kExportAll, kExportTitle, L"all.csv", fromLocal("\xC8\xAB\xB2\xBF\xBD\xE1\xB9\xFB"));
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[0][1], utf8(fromLocal("\xB6\xBA\xBA\xC5\xB5\xEA")));  // 逗号店
  EXPECT_EQ(all[4][1], "plain-5");
  // 导出选中行: plain-5, then 逗号店, as they were ticked
  const std::vector<CsvRecord> ticked =
      exportAs(kExportTicked, "\xB5\xBC\xB3\xF6\xD1\xA1\xD6\xD0\xD0\xD0", L"ticked.csv", L"");  // 导出选中行
  ASSERT_EQ(ticked.size(), 2u);
  EXPECT_EQ(ticked[0], shown[0]);
  EXPECT_EQ(ticked[1], shown[2]);
}

// Two keywords in one run through two provinces: a seller found again
// (another province, another keyword) is one row, tagged with where it was
// first found; the status says how many were merged; the export names each
// row's keyword and province; the run is the keyword list's newest entry.
TEST_F(GridCommands, TwoKeywordsInOneRunMergeTheSellerFoundAgainAndTagEachRow) {
  HWND header = ui::controlAt(window, L"Button", -4, 1);
  for (const LocalText& province : {kZhejiang, kFujian}) ui::click(ui::findControl(window, L"Button", fromLocal(province)));
  ui::typeText(ui::keywordBox(window), fromLocal("\xCE\xA7\xBD\xED\xA3\xBB\xCA\xD6\xCC\xD7"));  // 围巾；手套
  HWND searchButton = ui::findControl(header, L"Button", fromLocal(kSearchCaption));
  ui::click(searchButton);
  ASSERT_TRUE(ui::waitUntil([&] { return !IsWindowEnabled(searchButton); }));
  ASSERT_TRUE(ui::waitUntil([&] { return IsWindowEnabled(searchButton) != FALSE; }, 60000));
  // 福建 comes first in the panel: the seller found there first keeps its tags.
  EXPECT_EQ(grid->cell(3, 2), L"glove_a") << "the second keyword's rows after the first's";
  EXPECT_EQ(grid->cell(4, 2), L"");
  EXPECT_NE(ui::statusText(window).find(fromLocal("\xBA\xCF\xB2\xA2\xD6\xD8\xB8\xB4\xC2\xF4\xBC\xD2 2 ")),  // 合并重复卖家 2
            std::wstring::npos)
      << utf8(ui::statusText(window));
  EXPECT_EQ(SendMessageW(GetParent(ui::keywordBox(window)), CB_GETCOUNT, 0, 0), 1) << "the run, once, in the recent list";
  ui::pressKey(list, VK_APPS);
  choose(kExportAll);
  HWND dialog = waitForExportDialog(*app, fromLocal(kExportTitle));
  ASSERT_NE(dialog, nullptr);
  const std::optional<std::string> csv = saveExport(*app, dialog, L"two-keywords.csv", L"");
  ASSERT_TRUE(csv.has_value());
  std::vector<CsvRecord> records = readCsv(std::string_view(*csv).substr(3)).value_or(std::vector<CsvRecord>());
  ASSERT_EQ(records.size(), 4u);
  const std::string zhejiang = "\xE6\xB5\x99\xE6\xB1\x9F", fujian = "\xE7\xA6\x8F\xE5\xBB\xBA",
                    scarf = "\xE5\x9B\xB4\xE5\xB7\xBE", gloves = "\xE6\x89\x8B\xE5\xA5\x97";
  const std::map<std::string, std::pair<std::string, std::string>> tags = {
      {"scarf_a", {zhejiang, scarf}}, {"twice_seller", {fujian, scarf}}, {"glove_a", {zhejiang, gloves}}};
  for (size_t i = 0; i < 3; ++i) {
    ASSERT_EQ(records[i + 1].size(), 11u);
    EXPECT_EQ(std::make_pair(records[i + 1][8], records[i + 1][9]), tags.at(records[i + 1][1])) << records[i + 1][1];
    EXPECT_EQ(records[i + 1][10].size(), 25u) << "the run's start, 2024-05-17T14:03:22+08:00: " << records[i + 1][10];
  }
}

TEST_F(GridCommands, OpenShopOpensTheShopOfTheRowTheMenuWasOpenedOn) {
  search();
  grid->select(4, 4);
  ui::pressKey(list, VK_APPS);
  choose(kOpenShop);
  ASSERT_TRUE(browser().waitForLaunches(1));
  // Where the substitute keeps the shop of 普通1号.
  const std::string nick = utf8(fromLocal("\xC6\xD5\xCD\xA8" "1\xBA\xC5"));
  const DWORD crc = RtlComputeCrc32(0, reinterpret_cast<const BYTE*>(nick.data()), static_cast<INT>(nick.size()));
  EXPECT_EQ(browser().launches(), std::vector<std::string>{"https://shop" + std::to_string(crc) + ".market.test"});
}

TEST_F(GridCommands, WithoutResultsNothingIsCopiedOrSelected) {
  grid->select(1, 1);
  ui::rightClick(list, grid->pointInCell(1, 1));
  HWND menu = ui::waitForPopupMenu(app->processId());
  ASSERT_NE(menu, nullptr);
  ui::chooseMenuItem(menu, 0);  // 复制旺旺ID, greyed like every item that needs a result
  ASSERT_TRUE(ui::waitUntil([&] { return !IsWindowVisible(menu); }));
  ui::pressKeyWith(list, {VK_CONTROL}, 'C');
  ui::pressKeyWith(list, {VK_CONTROL}, 'A');
  ui::settle(window);
  EXPECT_FALSE(ui::clipboardText().has_value());
  EXPECT_EQ(app->topLevelWindow(L"#32770"), nullptr);
  EXPECT_EQ(grid->selectedRows(), (std::vector<int>{1}));
}

}  // namespace
}  // namespace quorvane
