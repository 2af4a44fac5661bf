// Quorvane.exe, driven through its window, against a marketplace that sends
// what no well-behaved one would (tests/services/hostile_pages.py). Whatever
// arrives, the program stays alive and answers, a stop ends the search, the
// grid shows only shops that were really sent, the history file stays as it
// was and memory stays bounded; and afterwards an ordinary search works.
#include <winsock2.h>
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "market_texts.h"
#include "marketplace_session.h"
#include "shop_file.h"
#include "ui_driver.h"

namespace quorvane {
namespace {

using namespace quorvane::testing;  // the marketplace session, its shops and texts
using ui::App;
using ui::fromLocal;

const std::string kHistory = "xkid_42y\r\n\xCD\xAF\xD0\xAC" "43\xBA\xC5\r\n";
constexpr SIZE_T kMemoryBound = 400u << 20;
constexpr DWORD kSearchTimeoutMs = 90000;
// The program's stall limit in the cut modes, in place of its 30 s: short
// for the test, long enough that a loaded machine's first TLS handshake
// under Wine fits in it.
constexpr int kStallLimitMs = 4000;

ui::LaunchOptions withShortStallLimit() {
  ui::LaunchOptions options;
  options.environment.push_back({L"QUORVANE_STALL_LIMIT_MS", std::to_wstring(kStallLimitMs)});
  return options;
}

double secondsSince(ULONGLONG startMs) { return static_cast<double>(GetTickCount64() - startMs) / 1000.0; }

class HostileMarket : public ::testing::Test {
 protected:
  MarketplaceSession market;
  LocalText modePath = testing::environmentPath("QUORVANE_MARKETPLACE_MODE");
  std::vector<ListedShop> shops = testing::listedShops(SHOPS_FILE);
  std::unique_ptr<App> app;
  HWND window = nullptr, header = nullptr;
  LocalText province;

  void setMode(const char* mode) const { ASSERT_TRUE(platform::writeWholeFileAtomically(modePath, mode)); }

  // Starts the program and a search of 童鞋 in one province, credit limit 1,
  // in the marketplace mode given.
  void search(const char* mode, const LocalText& where, ui::LaunchOptions options = {}) {
    ASSERT_TRUE(market.running() && !modePath.empty()) << "run under tests/services/with-marketplace.sh";
    setMode(mode);
    province = where;
    options.files.push_back({L"data.txt", kHistory});
    app = App::launch(options);
    ASSERT_NE(app, nullptr);
    window = app->mainWindow();
    header = ui::controlAt(window, L"Button", -4, 1);
    ASSERT_NE(header, nullptr);
    HWND box = button(where);
    ui::click(box);
    ASSERT_TRUE(ui::isChecked(box));
    ui::typeText(ui::keywordBox(window), fromLocal(kKeyword));
    SendMessageW(ui::controlAt(header, L"ComboBox", 92, 20), CB_SETCURSEL, 1, 0);
    ui::click(button(kSearchCaption));
  }
  void TearDown() override {
    market.releaseAnswers();
    platform::writeWholeFileAtomically(modePath, "normal");
  }

  HWND button(const LocalText& caption) const { return ui::findControl(window, L"Button", fromLocal(caption)); }
  bool searchEnded() const { return IsWindowEnabled(button(kSearchCaption)) != FALSE; }
  void waitForEnd() const { ASSERT_TRUE(ui::waitUntil([&] { return searchEnded(); }, kSearchTimeoutMs)); }
  void waitForRequests(size_t count) const {
    ASSERT_TRUE(ui::waitUntil([&] { return market.requests().size() >= count; }, kSearchTimeoutMs));
  }
  bool answers() const {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
  }
  std::vector<ListedShop> listing(const LocalText& where) const {
    return testing::listing(shops, kKeyword, where);
  }
  std::vector<ListedShop> pick(const LocalText& where, std::initializer_list<std::pair<size_t, size_t>> ranges) {
    std::vector<ListedShop> all = listing(where), picked;
    for (auto [first, end] : ranges)
      for (size_t i = first; i < end; ++i) picked.push_back(all.at(i));
    return picked;
  }

  // The grid holds exactly these shops, in order. Names are compared from
  // their end when the page put bytes before them.
  void expectRows(const std::vector<ListedShop>& expected, bool namesEndOnly = false) const {
    ui::RemoteGrid grid(ui::findControl(window, L"SysListView32", L""));
    for (size_t r = 0; r < expected.size(); ++r) {
      const int row = static_cast<int>(r) + 1;
      SCOPED_TRACE("row " + std::to_string(row));
      const std::wstring name = grid.cell(row, 1), want = fromLocal(expected[r].name);
      if (namesEndOnly)
        EXPECT_TRUE(name.size() >= want.size() && name.compare(name.size() - want.size(), want.size(), want) == 0);
      else
        EXPECT_EQ(name, want);
      EXPECT_EQ(grid.cell(row, 2), fromLocal(expected[r].nick));
      EXPECT_EQ(grid.cell(row, 3), fromLocal(expected[r].items));
      EXPECT_EQ(grid.cell(row, 4), fromLocal(expected[r].sales));
      EXPECT_EQ(grid.cell(row, 5), fromLocal(expected[r].rank + "\xD0\xC4"));
      EXPECT_EQ(grid.cell(row, 6), fromLocal(expected[r].category.empty() ? "\xBF\xD5" : expected[r].category));
    }
    EXPECT_EQ(grid.cell(static_cast<int>(expected.size()) + 1, 2), L"") << "a row that was on no page";
  }

  // What must hold after every mode: alive, answering, history untouched,
  // memory bounded; then the same search with a well-behaved marketplace
  // runs to its end and shows its shops.
  void expectSoundAndSearchAgain(const char* mode) {
    ASSERT_TRUE(app->running()) << mode;
    EXPECT_TRUE(answers()) << "the window does not answer";
    EXPECT_EQ(app->readFile(L"data.txt"), std::optional<std::string>(kHistory));
    reportMemory(mode);
    setMode("normal");
    ui::click(button(kSearchCaption));
    waitForEnd();
    std::vector<ListedShop> expected = province == kAnhui ? pick(kAnhui, {{40, 45}, {20, 40}}) : listing(province);
    expectRows(expected);
    EXPECT_TRUE(answers());
  }

  // A search in a mode that cuts answers short: it ends by itself, the
  // window answers meanwhile; returns how long it took.
  double searchToItsEnd(const char* mode, const LocalText& where, size_t requestsBeforeTheCut) {
    const ULONGLONG start = GetTickCount64();
    search(mode, where, withShortStallLimit());
    waitForRequests(requestsBeforeTheCut + 1);
    EXPECT_TRUE(answers()) << "the window does not answer while an answer is cut short";
    waitForEnd();
    const double seconds = secondsSince(start);
    std::printf("mode %s: the search ended by itself after %.1f s (stall limit %d ms)\n", mode, seconds,
                kStallLimitMs);
    return seconds;
  }

  void reportMemory(const char* mode) const {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app->processId());
    ASSERT_NE(process, nullptr);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    const bool read = GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                           sizeof counters) != 0;
    CloseHandle(process);
    ASSERT_TRUE(read);
    std::printf("memory in mode %s: peak working set %.1f MB, peak private %.1f MB, private now %.1f MB\n", mode,
                counters.PeakWorkingSetSize / 1048576.0, counters.PeakPagefileUsage / 1048576.0,
                counters.PrivateUsage / 1048576.0);
    EXPECT_LT(counters.PeakWorkingSetSize, kMemoryBound);
    EXPECT_LT(counters.PeakPagefileUsage, kMemoryBound);
  }

  // Stops the running search, and shows that it asks nothing more: the
  // next search's requests come after every request of the stopped one.
  void stopAndSearchAgain(const char* mode, const std::function<bool(const LocalText&)>& ofStopped) {
    ASSERT_FALSE(searchEnded());
    EXPECT_TRUE(answers()) << "the window does not answer during the search";
    ui::click(button(kStopCaption));
    EXPECT_TRUE(searchEnded());
    const size_t before = market.requests().size();
    expectSoundAndSearchAgain(mode);
    const auto requests = market.requests();
    size_t stoppedAfter = 0, lastStopped = 0, firstNew = requests.size();
    for (size_t i = 0; i < requests.size(); ++i) {
      if (ofStopped(requests[i].line)) {
        lastStopped = i;
        if (i >= before) ++stoppedAfter;
      } else if (i >= before && firstNew == requests.size()) {
        firstNew = i;
      }
    }
    EXPECT_LE(stoppedAfter, 1u) << "requests of the stopped search (one may have been on its way)";
    EXPECT_LT(lastStopped, firstNew) << "the stopped search still asked after the next one began";
    EXPECT_EQ(requests.size() - before - stoppedAfter, 5u) << "the next search: probe, page, three presences";
  }
};

TEST_F(HostileMarket, ATenMegabytePageIsReadWhole) {
  search("huge", kZhejiang);
  waitForEnd();
  expectRows(listing(kZhejiang));
  expectSoundAndSearchAgain("huge");
}

TEST_F(HostileMarket, CapturesThatNeverCloseAddNoRow) {
  search("unterminated", kZhejiang);
  waitForEnd();
  expectRows(listing(kZhejiang));
  expectSoundAndSearchAgain("unterminated");
}

TEST_F(HostileMarket, SurplusSellerRankTextsAddNoRow) {
  search("rank-surplus", kZhejiang);
  waitForEnd();
  expectRows(listing(kZhejiang));
  expectSoundAndSearchAgain("rank-surplus");
}

TEST_F(HostileMarket, UnequalFieldListsGiveOnlyTheFullyFormedShops) {
  // Each page's last three shops lack a field: of the pages at 40 and 20
  // only the shops before them; the page at 0 starts above the limit.
  search("unequal", kAnhui);
  waitForEnd();
  expectRows(pick(kAnhui, {{40, 42}, {20, 37}}));
  expectSoundAndSearchAgain("unequal");
}

TEST_F(HostileMarket, APageCountThatIsNoNumberAsksForNoPage) {
  search("pages-abc", kAnhui);
  waitForEnd();
  expectRows({});
  EXPECT_EQ(market.requests().size(), 1u) << "the probe only";
  expectSoundAndSearchAgain("pages-abc");
}

TEST_F(HostileMarket, ABillionPagesArePagedUntilTheStopAndNotAfterIt) {
  search("pages-billion", kZhejiang);
  waitForRequests(8);
  EXPECT_NE(market.requests()[1].line.find("&s=19999999980 "), LocalText::npos) << "the last page first";
  expectRows({});
  stopAndSearchAgain("pages-billion", [](const LocalText& line) { return line.find("&s=1999") != LocalText::npos; });
}

TEST_F(HostileMarket, InvalidUtf8AndNulBytesKeepTheShopsBeforeThem) {
  search("garbage-bytes", kZhejiang);
  waitForEnd();
  expectRows(listing(kZhejiang), true);
  expectSoundAndSearchAgain("garbage-bytes");
}

TEST_F(HostileMarket, ABodyThatNeverEndsIsEndedByTheStop) {
  search("drip", kZhejiang);
  waitForRequests(2);  // the probe, then the page that never ends
  expectRows({});
  stopAndSearchAgain("drip", [](const LocalText&) { return false; });
}

TEST_F(HostileMarket, AChunkedBodyThatNeverEndsIsEndedByTheStop) {
  search("drip-chunked", kZhejiang);
  waitForRequests(2);
  expectRows({});
  stopAndSearchAgain("drip-chunked", [](const LocalText&) { return false; });
}

TEST_F(HostileMarket, AConnectionResetMidPageShowsNoShopOfThePage) {
  // The reset cuts the third shop: the two before it arrived, but the page
  // did not.
  search("reset", kZhejiang);
  waitForEnd();
  expectRows({});
  expectSoundAndSearchAgain("reset");
}

TEST_F(HostileMarket, AResultPageThatStopsLongerThanTheStallLimitGivesNoRow) {
  // All of the page's shops have arrived when it stops: only a request
  // that fails keeps them out of the grid.
  searchToItsEnd("stall", kAnhui, 1);
  expectRows({});
  EXPECT_EQ(market.requests().size(), 4u) << "the probe and its three pages";
  expectSoundAndSearchAgain("stall");
}

TEST_F(HostileMarket, AResultPageResetAfterItsShopsGivesNoRow) {
  searchToItsEnd("reset-half", kAnhui, 1);
  expectRows({});
  EXPECT_EQ(market.requests().size(), 4u) << "the probe and its three pages";
  expectSoundAndSearchAgain("reset-half");
}

TEST_F(HostileMarket, PresenceAnswersCutShortLeaveTheStatusEmpty) {
  for (const char* mode : {"presence-stall", "presence-reset-half"}) {
    SCOPED_TRACE(mode);
    searchToItsEnd(mode, kZhejiang, 2);
    expectRows(listing(kZhejiang));
    ui::RemoteGrid grid(ui::findControl(window, L"SysListView32", L""));
    for (int row = 1; row <= 3; ++row) {
      EXPECT_EQ(grid.cell(row, 7), L"") << "row " << row;
      EXPECT_EQ(grid.cell(row, 8), L"") << "row " << row;
    }
    EXPECT_EQ(market.requests().size(), 5u) << "the probe, the page, three presences";
    expectSoundAndSearchAgain(mode);
    market.forgetRequests();
  }
}

TEST_F(HostileMarket, ServerErrorPagesGiveNoRow) {
  search("error-500", kAnhui);
  waitForEnd();
  expectRows({});
  EXPECT_EQ(market.requests().size(), 4u) << "the probe and its three pages";
  expectSoundAndSearchAgain("error-500");
}

TEST_F(HostileMarket, AnUnreachablePresenceServiceLeavesTheStatusEmpty) {
  // A port bound but never listening: every connection to it is refused.
  WSADATA data;
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
  SOCKET closed = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(closed, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  int length = sizeof address;
  getsockname(closed, reinterpret_cast<sockaddr*>(&address), &length);
  ui::LaunchOptions options;
  options.environment.push_back({L"QUORVANE_PRESENCE_HOST", L"127.0.0.1:" + std::to_wstring(ntohs(address.sin_port))});
  search("normal", kZhejiang, options);
  waitForEnd();
  expectRows(listing(kZhejiang));
  ui::RemoteGrid grid(ui::findControl(window, L"SysListView32", L""));
  for (int row = 1; row <= 3; ++row) {
    EXPECT_EQ(grid.cell(row, 7), L"");
    EXPECT_EQ(grid.cell(row, 8), L"");
  }
  for (const auto& request : market.requests())
    EXPECT_EQ(request.line.find("/muliuserstatus.aw"), LocalText::npos) << "presence went to the marketplace";
  ASSERT_TRUE(app->running());
  EXPECT_TRUE(answers());
  EXPECT_EQ(app->readFile(L"data.txt"), std::optional<std::string>(kHistory));
  reportMemory("presence-unreachable");
  closesocket(closed);
  WSACleanup();
}

}  // namespace
}  // namespace quorvane
