// The search as a user runs it: Quorvane.exe driven through its window
// against the substitute marketplace.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "market_texts.h"
#include "marketplace_session.h"
#include "shop_file.h"
#include "ui_driver.h"

namespace quorvane {
namespace {

using namespace quorvane::testing;  // the marketplace session, its shops and texts
using ui::App;
using ui::fromLocal;

const LocalText kPanelSearchCaption = "\xBF\xAA\xCA\xBC\xCB\xD1\xCB\xF7";  // 开始搜索
const LocalText kRegionCaption = "\xD1\xA1\xD4\xF1\xB5\xD8\xC7\xF8(R)";    // 选择地区(R)
const LocalText kBoxTitle = "\xCC\xE1\xCA\xBE\xA3\xBA";                    // 提示：
const LocalText kBoxText =
    "   \xB5\xD8\xC7\xF8\xBB\xF2\xB9\xD8\xBC\xFC\xB4\xCA\xB2\xBB\xD5\xFD\xC8\xB7\xA3\xA1";  // 地区或关键词不正确！

class SearchWindow : public ::testing::Test {
 protected:
  MarketplaceSession market;
  std::vector<ListedShop> shops = testing::listedShops(SHOPS_FILE);
  std::unique_ptr<App> app;
  HWND window = nullptr, header = nullptr;

  void launch(const std::string& history = {}, std::vector<std::pair<std::wstring, std::wstring>> environment = {}) {
    ASSERT_TRUE(market.running()) << "run under tests/services/with-marketplace.sh";
    ui::LaunchOptions options;
    options.environment = std::move(environment);
    if (!history.empty()) options.files.push_back({L"data.txt", history});
    app = App::launch(options);
    ASSERT_NE(app, nullptr);
    window = app->mainWindow();
    for (HWND frame : ui::findControls(window, L"Button", L""))  // the header: the window's group box
      if (GetParent(frame) == window && (GetWindowLongW(frame, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) header = frame;
    ASSERT_NE(header, nullptr);
  }
  void TearDown() override { market.releaseAnswers(); }

  HWND button(const LocalText& caption) const { return ui::findControl(window, L"Button", fromLocal(caption)); }
  // The shown region panel meets the client area's right edge.
  int clientWidth() const {
    RECT client{};
    GetClientRect(window, &client);
    return client.right;
  }
  // Found at any DPI (the status bar's states are also shot at 144 DPI): the
  // keyword box, the label that counts.
  HWND keywordBox() const { return ui::keywordBox(window); }
  HWND countLabel() const {
    for (HWND label : ui::findControls(window, L"Static", L""))
      if (ui::text(label).rfind(fromLocal("\xCF\xEE\xC4\xBF\xCA\xFD"), 0) == 0) return label;  // 项目数
    return nullptr;
  }
  bool searchEnabled() const { return IsWindowEnabled(button(kSearchCaption)) != FALSE; }

  void tick(const LocalText& province) {
    HWND box = button(province);
    ui::click(box);
    ASSERT_TRUE(ui::isChecked(box));
  }
  void chooseCredit(int index) {
    HWND list = ui::creditList(header);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  void prepare(std::initializer_list<LocalText> provinces, const LocalText& keyword, int credit) {
    for (const LocalText& p : provinces) tick(p);
    ui::typeText(keywordBox(), fromLocal(keyword));
    chooseCredit(credit);
  }
  void waitForEnd() const { ASSERT_TRUE(ui::waitUntil([&] { return searchEnabled(); }, 60000)); }
  void waitForRequests(size_t count) const {
    ASSERT_TRUE(ui::waitUntil([&] { return market.requests().size() >= count; }, 60000));
  }
  std::wstring cell(int row, int column) const {
    ui::RemoteGrid grid(ui::findControl(window, L"SysListView32", L""));
    return grid.cell(row, column);
  }
  ListedShop shop(const LocalText& province, size_t i) const {
    return testing::listing(shops, kKeyword, province).at(i);
  }
  std::wstring status() const { return ui::statusText(window); }
  HWND focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
  }
};

const LocalText kFinishedStatus = "\xCB\xD1\xCB\xF7\xCD\xEA\xB3\xC9\xA3\xBA";  // 搜索完成：

// Failures said aloud: a search whose probe cannot reach the service and one
// whose result page stalls each end with what failed in the status bar; the
// grid holds what the answers that came give, as it always did.
TEST_F(SearchWindow, AFailingProbeAndAFailingPageAreToldWhileTheGridStaysAsBefore) {
  launch({}, {{L"QUORVANE_SEARCH_HOST", L"127.0.0.1:1"}});
  prepare({kZhejiang}, kKeyword, 1);
  ui::click(button(kSearchCaption));
  waitForEnd();
  // 搜索完成：0 条，无法连接搜索服务：127.0.0.1:1
  EXPECT_TRUE(ui::waitUntil([&] {
    return status() == fromLocal(kFinishedStatus + "0 \xCC\xF5\xA3\xAC"
                                 "\xCE\xDE\xB7\xA8\xC1\xAC\xBD\xD3\xCB\xD1\xCB\xF7\xB7\xFE\xCE\xF1\xA3\xBA" "127.0.0.1:1");
  })) << "the status bar says: " << status().size() << " units";
  EXPECT_EQ(cell(1, 2), L"");
  EXPECT_EQ(ui::text(countLabel()), fromLocal("\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "0\xCC\xF5"));
  EXPECT_TRUE(market.requests().empty());
  ui::saveScreenshot(L"status-failed-probe");
  app.reset();

  // 安徽's pages are asked for at offsets 40, 20 and 0; the second stalls.
  launch({}, {{L"QUORVANE_STALL_LIMIT_MS", L"3000"}});
  market.holdAnswersTo("&s=20");
  prepare({kAnhui}, kKeyword, 1);
  ui::click(button(kSearchCaption));
  waitForEnd();
  for (size_t i = 40; i < 45; ++i) EXPECT_EQ(cell(static_cast<int>(i) - 39, 2), fromLocal(shop(kAnhui, i).nick));
  EXPECT_EQ(cell(6, 2), L"") << "nothing of the page that failed";
  // 搜索完成：5 条，第 2 页失败 1 页
  EXPECT_EQ(status(), fromLocal(kFinishedStatus + "5 \xCC\xF5\xA3\xAC\xB5\xDA 2 \xD2\xB3\xCA\xA7\xB0\xDC 1 \xD2\xB3"));
  const auto requests = market.requests();
  ASSERT_GE(requests.size(), 8u);
  EXPECT_NE(requests[1].line.find("&s=40 "), LocalText::npos);
  EXPECT_NE(requests[7].line.find("&s=20 "), LocalText::npos) << "after the five presence requests";
  ui::saveScreenshot(L"status-failed-pages");
}

TEST_F(SearchWindow, F5StartsAndEscStopsASearchAndTheStatusBarFollows) {
  launch();
  prepare({kAnhui}, kKeyword, 1);
  market.holdAnswers();
  ui::RemoteGrid grid(ui::findControl(window, L"SysListView32", L""));
  ui::pressKey(grid.handle(), VK_F5);
  waitForRequests(1);
  EXPECT_FALSE(searchEnabled());
  // 正在搜索：安徽
  EXPECT_TRUE(ui::waitUntil([&] { return status() == fromLocal("\xD5\xFD\xD4\xDA\xCB\xD1\xCB\xF7\xA3\xBA" + kAnhui); }));
  ui::saveScreenshot(L"status-searching");
  ui::pressKey(keywordBox(), VK_ESCAPE);
  EXPECT_TRUE(searchEnabled());
  EXPECT_EQ(status(), fromLocal("\xCB\xD1\xCB\xF7\xD2\xD1\xCD\xA3\xD6\xB9"));  // 搜索已停止
  ui::saveScreenshot(L"status-stopped");
  ui::pressKey(keywordBox(), VK_ESCAPE);  // nothing runs: nothing happens
  EXPECT_TRUE(searchEnabled());
  EXPECT_EQ(market.requests().size(), 1u);
}

// The region panel from the keyboard: parked, Tab never walks into it; its
// access key slides it in and gives it the focus; Esc sends it away and
// gives the focus back.
TEST_F(SearchWindow, TheRegionPanelOpensByItsAccessKeyAndTabNeverEntersItParked) {
  launch();
  HWND panel = GetParent(button(kAnhui));
  ui::click(keywordBox());
  std::vector<HWND> visited;
  for (int press = 0; press < 30; ++press) {
    ui::pressKey(focus(), VK_TAB);
    visited.push_back(focus());
    ASSERT_FALSE(IsChild(panel, focus())) << "Tab walked into the parked panel at press " << press;
  }
  EXPECT_NE(std::find(visited.begin(), visited.end(), keywordBox()), visited.end()) << "Tab goes round";
  HWND before = focus();
  ui::pressKeyWith(before, {VK_MENU}, 'R');
  ASSERT_TRUE(ui::waitUntil([&] { return ui::positionInParent(panel).right == clientWidth(); }));
  EXPECT_EQ(focus(), button(kAnhui));
  ui::pressKey(focus(), VK_SPACE);
  EXPECT_TRUE(ui::isChecked(button(kAnhui)));
  ui::pressKey(focus(), VK_ESCAPE);
  ASSERT_TRUE(ui::waitUntil([&] { return ui::positionInParent(panel).left == 1221; }));
  EXPECT_EQ(focus(), before);
  EXPECT_FALSE(IsWindowVisible(panel));
}

TEST_F(SearchWindow, ATwoProvinceSearchFillsTheRowsInOrderAndCountsThem) {
  launch("xkid_42y\r\n\xCD\xAF\xD0\xAC" "43\xBA\xC5\r\n");
  prepare({kZhejiang, kAnhui}, kKeyword, 1);  // ticked out of table order
  ui::click(button(kSearchCaption));
  waitForEnd();

  std::vector<ListedShop> expected;
  for (size_t i = 40; i < 45; ++i) expected.push_back(shop(kAnhui, i));
  for (size_t i = 20; i < 40; ++i) expected.push_back(shop(kAnhui, i));
  for (size_t i = 0; i < 3; ++i) expected.push_back(shop(kZhejiang, i));
  ui::RemoteGrid grid(ui::findControl(window, L"SysListView32", L""));
  for (size_t r = 0; r < expected.size(); ++r) {
    const int row = static_cast<int>(r) + 1;
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(grid.cell(row, 1), fromLocal(expected[r].name));
    EXPECT_EQ(grid.cell(row, 2), fromLocal(expected[r].nick));
    EXPECT_EQ(grid.cell(row, 3), fromLocal(expected[r].items));
    EXPECT_EQ(grid.cell(row, 4), fromLocal(expected[r].sales));
    EXPECT_EQ(grid.cell(row, 5), fromLocal(expected[r].rank + "\xD0\xC4"));
    EXPECT_EQ(grid.cell(row, 6), fromLocal(expected[r].category.empty() ? "\xBF\xD5" : expected[r].category));
  }
  EXPECT_EQ(grid.cell(29, 2), L"");
  EXPECT_EQ(ui::text(countLabel()), fromLocal("\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "28/\xCC\xF5"));

  // Shops 40-44: online "1", undetermined, "1" and recorded inside a longer
  // id, "0" and recorded, "1".
  EXPECT_EQ(grid.cell(1, 7), fromLocal(kOnlineText));
  EXPECT_EQ(grid.cell(1, 8), fromLocal(kNotContacted));
  EXPECT_EQ(grid.cell(2, 7), L"");
  EXPECT_EQ(grid.cell(2, 8), L"");
  EXPECT_EQ(grid.cell(3, 8), fromLocal(kContacted));
  EXPECT_EQ(grid.cell(4, 7), fromLocal(kOfflineText));
  EXPECT_EQ(grid.cell(4, 8), fromLocal(kContacted));
  EXPECT_TRUE(grid.cellComesToShow(3, 4, RGB(220, 220, 220)));
  EXPECT_TRUE(grid.cellComesToShow(4, 1, RGB(220, 220, 220)));
  EXPECT_TRUE(grid.cellComesToShow(1, 4, RGB(255, 255, 255)));
  EXPECT_FALSE(grid.ticked(1));

  // Probe, pages from the last to the first, one presence request per row.
  auto requests = market.requests();
  ASSERT_EQ(requests.size(), 34u);  // 安徽: 1 + 3 pages + 25 rows; 浙江: 1 + 1 page + 3 rows
  EXPECT_NE(requests[0].line.find("&loc=" + kAnhui + " "), LocalText::npos);
  EXPECT_NE(requests[1].line.find("&loc=" + kAnhui + "&s=40 "), LocalText::npos);
  EXPECT_NE(requests[2].line.find("/muliuserstatus.aw?"), LocalText::npos);
  EXPECT_NE(requests[7].line.find("&s=20 "), LocalText::npos);
  EXPECT_NE(requests[28].line.find("&s=0 "), LocalText::npos);
  EXPECT_NE(requests[29].line.find("&loc=" + kZhejiang + " "), LocalText::npos);
  EXPECT_NE(requests[30].line.find("&loc=" + kZhejiang + "&s=0 "), LocalText::npos);
}

TEST_F(SearchWindow, ANewSearchClearsTheGridAndItsColours) {
  launch("xkid_42y\r\n");
  prepare({kAnhui}, kKeyword, 1);
  ui::click(button(kSearchCaption));
  waitForEnd();
  ASSERT_EQ(cell(3, 8), fromLocal(kContacted));
  ui::click(button(kAnhui));  // 浙江 alone: three rows
  tick(kZhejiang);
  ui::click(button(kSearchCaption));
  waitForEnd();
  ui::RemoteGrid grid(ui::findControl(window, L"SysListView32", L""));
  EXPECT_EQ(grid.cell(3, 2), fromLocal(shop(kZhejiang, 2).nick));
  EXPECT_EQ(grid.cell(4, 2), L"");
  EXPECT_EQ(grid.cell(25, 2), L"");
  EXPECT_TRUE(grid.cellComesToShow(3, 4, RGB(255, 255, 255)));
}

TEST_F(SearchWindow, StartingFromTheShownPanelSlidesItOut) {
  launch();
  HWND panel = GetParent(button(kAnhui));
  ui::click(ui::findControl(window, L"Static", fromLocal(kRegionCaption)));
  ASSERT_TRUE(ui::waitUntil([&] { return ui::positionInParent(panel).right == clientWidth(); }));
  prepare({kZhejiang}, kKeyword, 1);
  ui::click(button(kPanelSearchCaption));
  EXPECT_TRUE(ui::waitUntil([&] { return ui::positionInParent(panel).left == 1221; }));
  waitForEnd();
  EXPECT_EQ(cell(3, 2), fromLocal(shop(kZhejiang, 2).nick));
}

TEST_F(SearchWindow, AnIncompleteSearchShowsTheHintAndAsksNothing) {
  launch();
  ui::typeText(keywordBox(), fromLocal(kKeyword));
  ui::click(button(kSearchCaption));
  HWND box = nullptr;
  ASSERT_TRUE(ui::waitUntil([&] { return (box = app->topLevelWindow(L"#32770", fromLocal(kBoxTitle))) != nullptr; }));
  EXPECT_NE(ui::findControl(box, L"Static", fromLocal(kBoxText)), nullptr);
  ui::saveScreenshot(L"search_hint");
  PostMessageW(box, WM_CLOSE, 0, 0);
  ASSERT_TRUE(ui::waitUntil([&] { return !IsWindow(box); }));
  EXPECT_TRUE(searchEnabled());

  SetWindowTextW(keywordBox(), L"");
  tick(kAnhui);
  ui::click(button(kPanelSearchCaption));
  ASSERT_TRUE(ui::waitUntil([&] { return (box = app->topLevelWindow(L"#32770", fromLocal(kBoxTitle))) != nullptr; }));
  PostMessageW(box, WM_CLOSE, 0, 0);
  ASSERT_TRUE(ui::waitUntil([&] { return !IsWindow(box); }));
  EXPECT_TRUE(market.requests().empty());
}

TEST_F(SearchWindow, EnterWhileSearchingStartsNothing) {
  launch();
  prepare({kAnhui}, kKeyword, 1);
  market.holdAnswers();
  ui::pressKey(keywordBox(), VK_RETURN);
  waitForRequests(1);
  EXPECT_FALSE(searchEnabled());
  EXPECT_FALSE(IsWindowEnabled(button(kPanelSearchCaption)));
  EXPECT_TRUE(IsWindowEnabled(button(kStopCaption)));
  ui::pressKey(keywordBox(), VK_RETURN);
  ui::settle(window);
  EXPECT_EQ(market.requests().size(), 1u);
  EXPECT_EQ(app->topLevelWindow(L"#32770", fromLocal(kBoxTitle)), nullptr);
  ui::click(button(kStopCaption));
}

TEST_F(SearchWindow, AStopDuringTheFirstRequestWritesNoRowAndANewSearchStartsAtOnce) {
  launch();
  prepare({kZhejiang}, kKeyword, 1);
  market.holdAnswers();
  ui::click(button(kSearchCaption));
  waitForRequests(1);
  ui::click(button(kStopCaption));
  EXPECT_TRUE(searchEnabled());
  EXPECT_TRUE(IsWindowEnabled(button(kPanelSearchCaption)));
  EXPECT_EQ(cell(1, 2), L"");

  ui::click(button(kStopCaption));  // a second stop changes nothing
  EXPECT_TRUE(searchEnabled());

  market.releaseAnswers();
  ui::click(button(kSearchCaption));
  waitForEnd();
  EXPECT_EQ(cell(3, 2), fromLocal(shop(kZhejiang, 2).nick));
  EXPECT_EQ(cell(1, 2), fromLocal(shop(kZhejiang, 0).nick)) << "no row of the stopped search";
}

TEST_F(SearchWindow, AfterANormalEndAStopOnlyLeavesTheButtonsEnabled) {
  launch();
  prepare({kZhejiang}, kKeyword, 1);
  ui::click(button(kSearchCaption));
  waitForEnd();
  const size_t requests = market.requests().size();
  ui::click(button(kStopCaption));
  EXPECT_TRUE(searchEnabled());
  EXPECT_EQ(cell(3, 2), fromLocal(shop(kZhejiang, 2).nick));
  EXPECT_EQ(market.requests().size(), requests);
  ui::click(button(kSearchCaption));
  waitForEnd();
  EXPECT_EQ(market.requests().size(), 2 * requests);
}

TEST_F(SearchWindow, ExitDuringASearchEndsTheProgramWithCodeZero) {
  launch();
  prepare({kAnhui}, kKeyword, 1);
  market.holdAnswers();
  ui::click(button(kSearchCaption));
  waitForRequests(1);
  HWND menu = app->openTrayMenu();
  ASSERT_NE(menu, nullptr);
  ui::chooseMenuItem(menu, ui::kExitMenuItem);
  EXPECT_EQ(app->waitForExit(), std::optional<DWORD>(0));
}

TEST_F(SearchWindow, RowsOfALongSearchCanBeTickedWhileItRuns) {
  launch();
  prepare({"\xBD\xAD\xCB\xD5"}, "\xB4\xF3\xC1\xBF", 0);  // 江苏, 大量: 300 shops
  ui::click(button(kSearchCaption));
  ui::RemoteGrid grid(ui::findControl(window, L"SysListView32", L""));
  ASSERT_TRUE(ui::waitUntil([&] { return !grid.cell(30, 8).empty(); }, 60000));
  market.holdAnswers();  // the search now waits in a request of its own
  const size_t asked = market.requests().size();
  waitForRequests(asked + 1);
  EXPECT_FALSE(searchEnabled());

  grid.select(2, 3);
  ui::pressKey(grid.handle(), VK_SPACE);
  EXPECT_TRUE(grid.ticked(2));
  EXPECT_TRUE(grid.ticked(3));
  EXPECT_EQ(ui::text(ui::controlAt(window, L"Static", 676, 657)),
            fromLocal("\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "2 \xB8\xF6"));

  market.releaseAnswers();
  waitForEnd();
  EXPECT_EQ(grid.cell(1, 2), L"bulk280") << "the last page comes first";
  EXPECT_EQ(grid.cell(281, 2), L"bulk000");
  EXPECT_EQ(grid.cell(300, 2), L"bulk019");
  EXPECT_EQ(grid.cell(301, 2), L"");
  EXPECT_TRUE(grid.ticked(2)) << "the worker leaves the ticks alone";
  EXPECT_EQ(ui::text(countLabel()), fromLocal("\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "300/\xCC\xF5"));
}

// A seller contacted while the search still asks for its presence: the
// status that arrives afterwards must not undo the contact, or the row would
// show 未联系 and green again and could be ticked and contacted twice.
TEST_F(SearchWindow, ARowContactedBeforeItsPresenceArrivesStaysContacted) {
  launch();
  prepare({kZhejiang}, kKeyword, 1);
  const LocalText id = shop(kZhejiang, 1).nick;  // row 2, online
  market.holdAnswersTo("uids=" + id);
  ui::click(button(kSearchCaption));
  ui::RemoteGrid grid(ui::findControl(window, L"SysListView32", L""));
  ASSERT_TRUE(ui::waitUntil([&] { return grid.cell(2, 2) == fromLocal(id); }, 60000));
  ASSERT_EQ(grid.cell(2, 8), L"") << "its presence is still being asked";

  HWND filter = ui::controlAt(window, L"Button", 549, 658);
  ui::click(filter);
  ASSERT_FALSE(ui::isChecked(filter));
  grid.select(2, 2);
  ui::pressKey(grid.handle(), VK_SPACE);
  ASSERT_TRUE(grid.ticked(2));
  ui::click(button("\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0"));  // 联系选中
  ASSERT_TRUE(ui::waitUntil([&] { return grid.cell(2, 8) == fromLocal(kContacted); }));

  market.releaseAnswers();
  waitForEnd();
  grid.clearSelection();  // a selected row shows the selection's colour
  EXPECT_EQ(grid.cell(2, 7), fromLocal(kOnlineText)) << "the presence still shows";
  EXPECT_EQ(grid.cell(2, 8), fromLocal(kContacted));
  EXPECT_TRUE(grid.cellComesToShow(2, 4, RGB(220, 220, 220)));

  ui::click(filter);
  ASSERT_TRUE(ui::isChecked(filter));
  grid.select(2, 2);
  ui::pressKey(grid.handle(), VK_SPACE);
  EXPECT_FALSE(grid.ticked(2));
}

}  // namespace
}  // namespace quorvane
