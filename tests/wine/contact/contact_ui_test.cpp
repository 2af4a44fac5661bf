// Contacting as a user does it, through Quorvane.exe's windows, against the
// substitute marketplace (its request log) and the stand-in IM client and
// browser (their records).
#include <algorithm>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "../../unit/csv_reader.h"
#include "standin_tray_client.h"
#include "standins.h"
#include "ui_driver.h"

extern "C" DWORD WINAPI RtlComputeCrc32(DWORD initial, const BYTE* data, INT length);

namespace quorvane {
namespace {

using testing::browser;
using testing::imClient;
using Lines = std::vector<std::string>;

const std::string kAddFriend = "\xCC\xED\xBC\xD3\xBA\xC3\xD3\xD1";   // 添加好友
const std::string kClientDialog = "\xB0\xA2\xC0\xEF\xCD\xFA\xCD\xFA";  // 阿里旺旺

std::wstring local(const char* gbk) { return ui::fromLocal(gbk); }

// The marketplace's request log: request lines, in arrival order.
Lines requestLines() {
  const char* path = std::getenv("QUORVANE_MARKETPLACE_LOG");
  if (!path) return {};
  Lines requests;
  for (const std::string& line : testing::linesOf(testing::readWhole(L"Z:" + testing::wide(path))))
    if (line.rfind("GET ", 0) == 0) requests.push_back(line);
  return requests;
}

Lines requestsFor(const std::string& pathPrefix) {
  Lines found;
  for (const std::string& line : requestLines())
    if (line.rfind("GET " + pathPrefix, 0) == 0) found.push_back(line.substr(4, line.rfind(' ') - 4));
  return found;
}

std::string presencePath(const std::string& encodedId) {
  return "/muliuserstatus.aw?beginnum=0&site=cntaobao&charset=utf-8&uids=" + encodedId;
}

std::string chatUrl(const std::string& encodedId) {
  return "aliim:sendmsg?&touid=cntaobao" + encodedId + "&siteid=cntaobao&status=2&portalId=1&gid=1";
}

// Where the substitute keeps a seller's shop.
std::string shopAddress(const std::string& utf8Nick) {
  DWORD crc = RtlComputeCrc32(0, reinterpret_cast<const BYTE*>(utf8Nick.data()), static_cast<INT>(utf8Nick.size()));
  return "https://shop" + std::to_string(crc) + ".market.test";
}

ui::LaunchOptions withHistory(const std::string& content) {
  ui::LaunchOptions options;
  options.files = {{L"data.txt", content}};
  return options;
}

class ContactUi : public ::testing::Test {
 protected:
  void SetUp() override {
    imClient().reset();
    browser().reset();
  }
  // The stand-ins' records of the last test stay for a look.
  void TearDown() override {
    app.reset();
    testing::closeStandinWindows();
  }
  void launch(ui::LaunchOptions options = {}) {
    app = ui::App::launch(options);
    ASSERT_NE(app, nullptr);
    main = app->mainWindow();
  }
  // 旺旺输入框, the header's edit box at left 288.
  HWND idBox() const {
    for (HWND edit : ui::findControls(main, L"Edit", L""))
      if (ui::positionInParent(edit).left == 288) return edit;
    return nullptr;
  }
  HWND button(const char* caption) const { return ui::findControl(main, L"Button", local(caption)); }

  HWND openBatchWindow() {
    ui::click(button("\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5"));  // 批量联系
    HWND batch = nullptr;
    ui::waitUntil([&] {
      batch = app->topLevelWindow(L"QuorvaneBatchIdWindow");
      return batch && IsWindowVisible(batch);
    });
    return batch;
  }
  static HWND batchList(HWND batch) { return ui::findControl(batch, L"Edit", L""); }
  static HWND batchContact(HWND batch) { return ui::findControl(batch, L"Button", local("\xC1\xAA\xCF\xB5")); }
  static HWND batchAutoClose(HWND batch) {
    return ui::findControl(batch, L"Button", local("\xD7\xD4\xB6\xAF\xB9\xD8\xB1\xD5\xCC\xED\xBC\xD3\xBA\xC3\xD3\xD1"));
  }
  static void setText(HWND control, const std::wstring& text) {
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
  }
  int batchWindowCount() const {
    struct Count {
      DWORD process;
      int n = 0;
    } count{app->processId()};
    EnumWindows(
        [](HWND w, LPARAM data) -> BOOL {
          auto& c = *reinterpret_cast<Count*>(data);
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          if (pid == c.process && ui::className(w) == L"QuorvaneBatchIdWindow") ++c.n;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
  }

  std::unique_ptr<ui::App> app;
  HWND main = nullptr;
};

// ---- contacting the ticked rows ----

const std::wstring kCountLabel0 = ui::fromLocal("\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "0 \xB8\xF6");
const std::wstring kContacted = ui::fromLocal("\xD2\xD1\xC1\xAA\xCF\xB5");  // 已联系
const char kChinese[] = "\xD6\xD0" "a";                                     // 中a

class ContactSelected : public ContactUi {
 protected:
  virtual ui::LaunchOptions options() const { return withHistory("old\r\n"); }
  void SetUp() override {
    ContactUi::SetUp();
    launch(options());
    grid = std::make_unique<ui::RemoteGrid>(ui::controlAt(main, L"SysListView32", 0, 53));
    label = ui::controlAt(main, L"Static", 676, 657);
    contactButton = button("\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0");  // 联系选中
  }
  // A search for the suite's keyword in 浙江, waited for until its rows stand.
  void searchTheContactShops() {
    HWND panel = ui::findControl(main, L"QuorvaneRegionPanel", L"");
    ui::click(ui::findControl(panel, L"Button", local("\xD5\xE3\xBD\xAD")));
    ui::typeText(ui::keywordBox(main), L"contactround");
    ui::click(button("\xCB\xD1\xCB\xF7"));  // 搜索
    ASSERT_TRUE(ui::waitUntil([&] { return !grid->cell(3, 8).empty(); }, 30000));
  }
  int rowOf(const std::string& id) const {
    for (int row = 1; row <= 3; ++row)
      if (grid->cell(row, 2) == ui::fromLocal(id)) return row;
    return -1;
  }
  void tick(int row) {
    grid->select(row, row);
    ui::pressKey(grid->handle(), VK_SPACE);
  }
  std::unique_ptr<ui::RemoteGrid> grid;
  HWND label = nullptr, contactButton = nullptr;
};

TEST_F(ContactSelected, ChatsWithTheTickedSellersInTickingOrderAndRecordsThem) {
  searchTheContactShops();
  const std::vector<int> rows = {rowOf(kChinese), rowOf("a b c"), rowOf("ab_c")};
  for (int row : rows) {
    ASSERT_GT(row, 0);
    tick(row);
  }
  ui::click(contactButton);
  ASSERT_TRUE(imClient().waitForLaunches(3));
  EXPECT_EQ(imClient().launches(), (Lines{chatUrl("%E4%B8%ADa"), chatUrl("a%20b%20c"), chatUrl("ab%5Fc")}));
  grid->clearSelection();  // a selected row shows the selection's colour
  ui::settle(main);
  for (int row : rows) {
    EXPECT_EQ(grid->cell(row, 8), kContacted) << row;
    EXPECT_FALSE(grid->ticked(row)) << row;
    EXPECT_TRUE(grid->cellComesToShow(row, 3, RGB(220, 220, 220))) << row;
  }
  EXPECT_EQ(ui::text(label), kCountLabel0);
  EXPECT_EQ(app->readFile(L"data.txt"), "old\r\n" + std::string(kChinese) + "\r\na b c\r\nab_c\r\n");
  EXPECT_EQ(ui::statusText(main), ui::fromLocal("\xD2\xD1\xB4\xF2\xBF\xAA 3 \xB8\xF6\xC1\xC4\xCC\xEC"));  // 已打开 3 个聊天
  ui::saveScreenshot(L"contact-selected-done");
}

TEST_F(ContactSelected, AClickDuringARoundStartsNoSecondRound) {
  searchTheContactShops();
  for (int row = 1; row <= 3; ++row) tick(row);
  PostMessageW(contactButton, BM_CLICK, 0, 0);
  PostMessageW(contactButton, BM_CLICK, 0, 0);
  ASSERT_TRUE(imClient().waitForLaunches(3));
  ui::settle(main, 4);
  EXPECT_EQ(imClient().launches().size(), 3u);
  EXPECT_EQ(app->readFile(L"data.txt")->size(), std::string("old\r\n\xD6\xD0" "a\r\na b c\r\nab_c\r\n").size());
}

TEST_F(ContactSelected, AnEmptySelectionRewritesTheHistoryUnchanged) {
  ui::click(contactButton);
  EXPECT_EQ(ui::text(label), kCountLabel0);
  EXPECT_EQ(app->readFile(L"data.txt"), std::optional<std::string>("old\r\n"));
  EXPECT_TRUE(imClient().launches().empty());
}

TEST_F(ContactUi, AnEmptySelectionCreatesAnEmptyHistoryWhenThereWasNone) {
  launch();
  ui::click(button("\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0"));  // 联系选中
  EXPECT_EQ(app->readFile(L"data.txt"), std::optional<std::string>(""));
}

TEST_F(ContactSelected, TickedRowsWithoutASellerOnlyLoseTheirTicks) {
  ui::click(ui::controlAt(main, L"Button", 549, 658));  // 选中过滤 off: empty rows tick
  grid->select(4, 6);
  ui::pressKey(grid->handle(), VK_SPACE);
  ASSERT_TRUE(grid->ticked(5));
  ui::click(contactButton);
  for (int row : {4, 5, 6}) {
    EXPECT_FALSE(grid->ticked(row)) << row;
    EXPECT_EQ(grid->cell(row, 8), L"") << row;
  }
  EXPECT_EQ(ui::text(label), kCountLabel0);
  EXPECT_EQ(app->readFile(L"data.txt"), std::optional<std::string>("old\r\n"));
  EXPECT_TRUE(imClient().launches().empty());
}

// ---- a paced round ----

const std::wstring kContactLog = L"\u8054\u7CFB\u8BB0\u5F55.csv";  // 联系记录.csv

// The contact log's records under its titles, read back field by field.
std::vector<CsvRecord> logRecords(const ui::App& app) {
  const std::optional<std::string> log = app.readFile(kContactLog);
  if (!log || log->rfind("\xEF\xBB\xBF", 0) != 0) return {};
  std::vector<CsvRecord> records = readCsv(std::string_view(*log).substr(3)).value_or(std::vector<CsvRecord>(1));
  records.erase(records.begin());
  return records;
}

class PacedContact : public ContactSelected {
 protected:
  ui::LaunchOptions options() const override {
    ui::LaunchOptions options = withHistory("old\r\n");
    options.files.push_back({L"Quorvane.ini", "[Contact]\r\nPauseMin=30\r\nPauseMax=30\r\n"});
    return options;
  }
  // 设置 from the icon's menu: the four boxes filled, then 确定.
  void setPace(const std::wstring& pauseMin, const std::wstring& pauseMax, const std::wstring& perRound) {
    HWND menu = app->openTrayMenu();
    ASSERT_NE(menu, nullptr);
    ui::chooseMenuItem(menu, ui::kSettingsMenuItem);
    HWND dialog = nullptr;
    ASSERT_TRUE(ui::waitUntil([&] { return (dialog = app->topLevelWindow(L"#32770", L"\u8BBE\u7F6E")) != nullptr; }));
    const std::pair<int, std::wstring> boxes[] = {{101, pauseMin}, {102, pauseMax}, {103, perRound}};
    for (const auto& [item, text] : boxes) setText(GetDlgItem(dialog, item), text);
    ui::settle(dialog);
    ui::saveScreenshot(L"settings-dialog");
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(ui::waitUntil([&] { return !IsWindow(dialog); }));
  }
  bool statusHas(const char* gbk) const { return ui::statusText(main).find(local(gbk)) != std::wstring::npos; }
};

// Ticked, then sorted: the round follows the sellers, in ticking order. A
// 30 s pause follows the first chat; 停止联系 in it ends the round, and the
// grid, the history and the log agree on the one chat. Then, with no pause
// and one chat a round, the next round stops at its limit.
TEST_F(PacedContact, AStopHalfWayAndARoundLimitLeaveTicksHistoryAndLogInAgreement) {
  searchTheContactShops();
  for (const char* id : {"ab_c", kChinese, "a b c"}) tick(rowOf(id));
  grid->clickTitle(2);  // 旺旺ID
  grid->clickTitle(2);
  ui::click(contactButton);
  ASSERT_TRUE(imClient().waitForLaunches(1));
  ASSERT_TRUE(ui::waitUntil([&] { return statusHas("\xCF\xC2\xD2\xBB\xB8\xF6 "); }));  // 下一个
  EXPECT_EQ(ui::statusText(main).rfind(local("\xD5\xFD\xD4\xDA\xC1\xAA\xCF\xB5 1/3\xA3\xAC"), 0), 0u)  // 正在联系 1/3，
      << ui::statusText(main).size();
  ui::saveScreenshot(L"contact-paced-round");
  HWND stop = button("\xCD\xA3\xD6\xB9\xC1\xAA\xCF\xB5");  // 停止联系
  ASSERT_NE(stop, nullptr);
  ui::click(stop);
  ASSERT_TRUE(ui::waitUntil([&] { return statusHas("\xC1\xAA\xCF\xB5\xD2\xD1\xCD\xA3\xD6\xB9"); }));  // 联系已停止
  EXPECT_EQ(imClient().launches(), (Lines{chatUrl("ab%5Fc")}));
  EXPECT_EQ(app->readFile(L"data.txt"), std::optional<std::string>("old\r\nab_c\r\n"));
  std::vector<CsvRecord> log = logRecords(*app);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].size(), 7u);
  EXPECT_EQ(log[0].at(2), "ab_c");
  EXPECT_EQ(log[0].at(4), "contactround");
  EXPECT_EQ(log[0].at(6), "\xE6\x90\x9C\xE7\xB4\xA2\xE7\xBB\x93\xE6\x9E\x9C");  // 搜索结果
  EXPECT_EQ(grid->cell(rowOf("ab_c"), 8), kContacted);
  EXPECT_TRUE(grid->ticked(rowOf(kChinese)));
  EXPECT_TRUE(grid->ticked(rowOf("a b c")));
  EXPECT_EQ(ui::text(label), ui::fromLocal("\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "2 \xB8\xF6"));
  EXPECT_EQ(ui::text(contactButton), local("\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0"));  // 联系选中 again

  setPace(L"0", L"0", L"1");
  ui::click(contactButton);
  ASSERT_TRUE(imClient().waitForLaunches(2));
  ASSERT_TRUE(ui::waitUntil([&] { return statusHas("\xD2\xD1\xB4\xEF\xB5\xBD\xC3\xBF\xC2\xD6\xC9\xCF\xCF\xDE 1 "); }));  // 已达到每轮上限 1
  ui::settle(main, 4);
  EXPECT_EQ(imClient().launches(), (Lines{chatUrl("ab%5Fc"), chatUrl("%E4%B8%ADa")}));
  EXPECT_EQ(app->readFile(L"data.txt"), "old\r\nab_c\r\n" + std::string(kChinese) + "\r\n");
  log = logRecords(*app);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1].at(2), "\xE4\xB8\xAD" "a");
  EXPECT_TRUE(grid->ticked(rowOf("a b c")));
  EXPECT_EQ(ui::statusText(main, ui::StatusPart::DailyCount), ui::fromLocal("\xBD\xF1\xC8\xD5\xD2\xD1\xC1\xAA\xCF\xB5 2"));  // 今日已联系 2
}

// ---- the batch-id window ----

TEST_F(ContactUi, BatchContactOpensOneBatchWindowAndASecondClickBringsItForward) {
  launch();
  HWND batch = openBatchWindow();
  ASSERT_NE(batch, nullptr);
  EXPECT_EQ(ui::text(batch), local("\xC5\xFA\xC1\xBF\xCD\xFA\xCD\xFAID"));
  EXPECT_TRUE(ui::isChecked(batchAutoClose(batch)));
  setText(batchList(batch), L"kept\r\nids");
  ui::saveScreenshot(L"contact-batch-window");
  EXPECT_EQ(openBatchWindow(), batch);
  EXPECT_EQ(batchWindowCount(), 1);
  EXPECT_EQ(ui::text(batchList(batch)), L"kept\r\nids");
}

TEST_F(ContactUi, ExitClosesTheBatchWindowAndEndsTheProgram) {
  launch();
  ASSERT_NE(openBatchWindow(), nullptr);
  HWND menu = app->openTrayMenu();
  ASSERT_NE(menu, nullptr);
  ui::chooseMenuItem(menu, ui::kExitMenuItem);
  EXPECT_EQ(app->waitForExit(), std::optional<DWORD>(0));
}

TEST_F(ContactUi, BatchLooksUpEveryListedIdInOrderAndChatsOnlyWithOnlineOnes) {
  launch();
  HWND batch = openBatchWindow();
  // From the shop file: "a" and "c" online, "b" offline.
  setText(batchList(batch), L"a\r\n\r\nb\r\nc\r\n");
  ui::click(batchContact(batch));
  ASSERT_TRUE(imClient().waitForLaunches(2));
  EXPECT_EQ(requestsFor("/muliuserstatus.aw"), (Lines{presencePath("%61"), presencePath("%62"), presencePath("%63")}));
  EXPECT_EQ(imClient().launches(), (Lines{chatUrl("a"), chatUrl("c")}));
  EXPECT_EQ(ui::text(batchList(batch)), L"a\r\n\r\nb\r\nc\r\n");
  // The log holds both chats (data.txt none); no shop, keyword or province.
  ui::settle(main, 4);
  const std::vector<CsvRecord> log = logRecords(*app);
  ASSERT_EQ(log.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(log[i], (CsvRecord{log[i].at(0), log[i].at(1), i == 0 ? "a" : "c", "", "", "", "\xE6\x89\xB9\xE9\x87\x8F\xE8\x81\x94\xE7\xB3\xBB"}));  // 批量联系
    EXPECT_EQ(log[i].at(0).size(), 25u) << "2024-05-17T14:03:22+08:00";
  }
  EXPECT_EQ(app->readFile(L"data.txt"), std::nullopt);
}

TEST_F(ContactUi, BatchTakesBareLineFeedsAsPartOfOneIdAndKeepsSpaces) {
  launch();
  HWND batch = openBatchWindow();
  setText(batchList(batch), L"a\nb\r\n  \r\nc");
  ui::click(batchContact(batch));
  ASSERT_TRUE(imClient().waitForLaunches(1));
  // The log may be read while the stand-in rewrites it: an empty read is no answer yet.
  testing::waitFor([&] {
    const Lines launches = imClient().launches();
    return !launches.empty() && launches.back() == chatUrl("c");
  });
  EXPECT_EQ(requestsFor("/muliuserstatus.aw"),
            (Lines{presencePath("%61%0A%62"), presencePath("%20%20"), presencePath("%63")}));
  const Lines launches = imClient().launches();
  ASSERT_FALSE(launches.empty());
  EXPECT_EQ(launches.back(), chatUrl("c"));
}

// ---- the account chooser ----

const std::string kSuffix = "[\xCC\xD4\xB1\xA6\xCD\xF8]";  // [淘宝网]

class ChooserAnswer : public ContactUi {
 protected:
  // The logged-in account "alice", as the tray shows it; the program picks
  // it into 联系旺旺列表框 when it starts.
  standin_tray::StandinTray tray{{"\xC7\xA7\xC5\xA3 - alice"}};

  void showChooser() {
    imClient().show("chooser\tbob" + kSuffix + "\talice" + kSuffix + "\tAlice" + kSuffix + "\talice\r\n");
    testing::startImClient();
  }
};

TEST_F(ChooserAnswer, TheMainWindowsTimerPicksTheSelectedAccountAndClicksOk) {
  ASSERT_TRUE(tray.running());
  launch();
  ASSERT_EQ(ui::text(ui::findControl(main, L"ComboBox", L"alice")), L"alice");
  showChooser();
  ASSERT_TRUE(imClient().waitForEvents(1));
  EXPECT_EQ(imClient().events().front(), "chose 1 alice" + kSuffix);
}

TEST_F(ChooserAnswer, IsAnsweredWhileTheBatchWindowIsOpenToo) {
  ASSERT_TRUE(tray.running());
  launch();
  ASSERT_NE(openBatchWindow(), nullptr);
  showChooser();
  ASSERT_TRUE(imClient().waitForEvents(1));
  EXPECT_EQ(imClient().events().front(), "chose 1 alice" + kSuffix);
}

// ---- the add-friend dialogs ----

TEST_F(ContactUi, BatchWindowClosesAddFriendDialogsOneATickAndLeavesOtherClassesAlone) {
  launch();
  ASSERT_NE(openBatchWindow(), nullptr);
  imClient().show("dialog\t" + kAddFriend + "\r\ndialog\t" + kAddFriend + "\r\nwindow\t" + kAddFriend + "\r\n");
  testing::startImClient();
  ASSERT_TRUE(imClient().waitForEvents(2));
  // Which of the two goes first depends on whether a tick fell between their
  // creation; each close is still one tick's work.
  Lines events = imClient().events();
  std::sort(events.begin(), events.end());
  EXPECT_EQ(events, (Lines{"closed 1 dialog " + kAddFriend, "closed 2 dialog " + kAddFriend}));
  EXPECT_NE(FindWindowW(L"StandinImFrame", testing::wide(kAddFriend).c_str()), nullptr);
}

TEST_F(ContactUi, NothingClosesWhileAutoCloseIsUnticked) {
  launch();
  HWND batch = openBatchWindow();
  ui::click(batchAutoClose(batch));
  ASSERT_FALSE(ui::isChecked(batchAutoClose(batch)));
  imClient().show("dialog\t" + kAddFriend + "\r\ndialog\t" + kClientDialog + "\r\n");
  testing::startImClient();
  ASSERT_NE(testing::waitForWindow(L"#32770", kClientDialog), nullptr);
  testing::waitFor([] { return false; }, 1000);  // five ticks of both timers
  EXPECT_TRUE(imClient().events().empty());
  ui::click(batchAutoClose(batch));
  EXPECT_TRUE(imClient().waitForEvents(2));
}

// ---- the shop page ----

TEST_F(ContactUi, EnterShopOpensTheLookedUpShopInTheBrowser) {
  launch();
  HWND idBox = this->idBox();
  ASSERT_NE(idBox, nullptr);
  ui::typeText(idBox, L"ab");
  ui::click(button("\xBD\xF8\xC8\xEB\xB5\xEA\xC6\xCC"));  // 进入店铺
  ASSERT_TRUE(browser().waitForLaunches(1));
  EXPECT_EQ(browser().launches(), Lines{shopAddress("ab")});
  EXPECT_EQ(requestsFor("/search"), Lines{"/search?app=shopsearch&q=%61%62"});
}

TEST_F(ContactUi, EnterInTheIdBoxOpensTheShopAndOtherKeysSendNothing) {
  launch();
  HWND idBox = this->idBox();
  ASSERT_NE(idBox, nullptr);
  ui::typeText(idBox, local("\xD6\xD0" "a"));  // 中a
  ui::pressKey(idBox, 'X');
  ui::pressKey(idBox, VK_TAB);
  ui::pressKey(idBox, VK_SPACE);
  EXPECT_TRUE(requestsFor("/search").empty());
  ui::pressKey(idBox, VK_RETURN);
  ASSERT_TRUE(browser().waitForLaunches(1));
  // The keys typed "x" and " " into the box; the id is taken as it stands.
  EXPECT_EQ(requestsFor("/search"), Lines{"/search?app=shopsearch&q=%E4%B8%AD%61%78%20"});
  EXPECT_EQ(browser().launches(), Lines{shopAddress("\xE4\xB8\xAD" "ax ")});
}

TEST_F(ContactUi, AnUnknownShopOpensNoPage) {
  launch();
  ui::click(button("\xBD\xF8\xC8\xEB\xB5\xEA\xC6\xCC"));  // an empty id finds no shop
  ASSERT_TRUE(ui::waitUntil([] { return requestsFor("/search").size() == 1; }));
  ui::settle(main);
  EXPECT_TRUE(browser().launches().empty());
}

// ---- clearing the history ----

class ClearHistory : public ContactUi {
 protected:
  HWND askToClear() {
    ui::click(button("\xC9\xBE\xB3\xFD\xBB\xBA\xB4\xE6"));  // 删除缓存
    HWND box = nullptr;
    ui::waitUntil([&] {
      box = app->topLevelWindow(L"#32770", local("\xC7\xE5\xB3\xFD"));  // 清除
      return box && IsWindowVisible(box);
    });
    return box;
  }
  void answer(HWND box, int button) {
    ui::click(GetDlgItem(box, button));
    ui::waitUntil([&] { return !IsWindow(box); });
    ui::settle(main);
  }
};

TEST_F(ClearHistory, AsksFirstAndCancelKeepsTheFile) {
  launch(withHistory("old\r\n"));
  HWND box = askToClear();
  ASSERT_NE(box, nullptr);
  EXPECT_NE(ui::findControl(box, L"Static", local("\xC8\xB7\xB6\xA8\xC7\xE5\xB3\xFD\xBB\xBA\xB4\xE6\xA3\xBF")), nullptr);
  ui::saveScreenshot(L"contact-clear-history");
  answer(box, IDCANCEL);
  EXPECT_EQ(app->readFile(L"data.txt"), std::optional<std::string>("old\r\n"));
}

TEST_F(ClearHistory, OkDeletesTheFileAndAMissingFileIsFine) {
  launch(withHistory("old\r\n"));
  answer(askToClear(), IDOK);
  EXPECT_EQ(app->readFile(L"data.txt"), std::nullopt);
  EXPECT_EQ(ui::statusText(main), local("\xD2\xD1\xC9\xBE\xB3\xFD\xC1\xAA\xCF\xB5\xBC\xC7\xC2\xBC"));  // 已删除联系记录
  HWND again = askToClear();
  ASSERT_NE(again, nullptr);
  answer(again, IDOK);
  EXPECT_TRUE(app->running());
  EXPECT_EQ(app->readFile(L"data.txt"), std::nullopt);
}

}  // namespace
}  // namespace quorvane
