// The contact side of Quorvane.exe against a marketplace whose answers stop
// for longer than the stall limit or are reset part-way: the batch window's
// presence lookups and the shop lookup run on the window's thread, so the
// window must keep answering while they wait, and an answer cut short is no
// answer: nobody is contacted and no shop opened on the strength of it.
// While one of them waits, every other action that would wait is refused,
// and 退出 ends the program at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "marketplace_session.h"
#include "standins.h"
#include "ui_driver.h"

namespace quorvane {
namespace {

using testing::browser;
using testing::imClient;

// The program's stall limit, in place of its 30 s: short for the test, long
// enough that a loaded machine's first TLS handshake under Wine fits in it.
constexpr int kStallLimitMs = 4000;
constexpr DWORD kRoundTimeoutMs = 60000;
const char kEnterShop[] = "\xBD\xF8\xC8\xEB\xB5\xEA\xC6\xCC";  // 进入店铺
const char kBatch[] = "\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5";     // 批量联系
const char kContact[] = "\xC1\xAA\xCF\xB5";                   // 联系

double secondsSince(ULONGLONG startMs) { return static_cast<double>(GetTickCount64() - startMs) / 1000.0; }

bool answers(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
}

class HostileContact : public ::testing::Test {
 protected:
  testing::MarketplaceSession market;
  LocalText modePath = testing::environmentPath("QUORVANE_MARKETPLACE_MODE");
  std::unique_ptr<ui::App> app;
  HWND main = nullptr;

  void SetUp() override {
    imClient().reset();
    browser().reset();
  }
  void TearDown() override {
    app.reset();
    testing::closeStandinWindows();
    setMode("normal");
  }

  void setMode(const char* mode) const { ASSERT_TRUE(platform::writeWholeFileAtomically(modePath, mode)); }
  // `stallLimitMs` 0: the program's own 30 s.
  void launch(const char* mode, int stallLimitMs = kStallLimitMs) {
    ASSERT_TRUE(market.running() && !modePath.empty()) << "run under tests/services/with-marketplace.sh";
    setMode(mode);
    market.forgetRequests();
    ui::LaunchOptions options;
    if (stallLimitMs) options.environment.push_back({L"QUORVANE_STALL_LIMIT_MS", std::to_wstring(stallLimitMs)});
    app = ui::App::launch(options);
    ASSERT_NE(app, nullptr);
    main = app->mainWindow();
  }
  size_t requestsFor(const char* path) const {
    size_t count = 0;
    for (const auto& request : market.requests()) count += request.line.find(path) != LocalText::npos;
    return count;
  }

  HWND button(HWND parent, const char* caption) const { return ui::findControl(parent, L"Button", ui::fromLocal(caption)); }
  // 旺旺输入框, the header's edit box at left 288.
  HWND idBox() const {
    for (HWND edit : ui::findControls(main, L"Edit", L""))
      if (ui::positionInParent(edit).left == 288) return edit;
    return nullptr;
  }
  HWND openBatchWindow() {
    ui::click(button(main, kBatch));
    HWND batch = nullptr;
    ui::waitUntil([&] {
      batch = app->topLevelWindow(L"QuorvaneBatchIdWindow");
      return batch && IsWindowVisible(batch);
    });
    return batch;
  }
  static void setText(HWND control, const std::wstring& text) {
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
  }
  // 退出 from the tray icon's menu; the seconds until the process was gone.
  // On a bare Xvfb every shown top-level window takes about 2 s to go (Wine
  // waits for a window manager there is none of), so a program with both
  // windows open needs 4-6 s to end however fast it is.
  double exitFromTheTray() {
    HWND menu = app->openTrayMenu();
    EXPECT_NE(menu, nullptr);
    if (!menu) return 1e9;
    const ULONGLONG start = GetTickCount64();
    ui::chooseMenuItem(menu, ui::kExitMenuItem);
    const std::optional<DWORD> code = app->waitForExit(20000);
    EXPECT_EQ(code, std::optional<DWORD>(0));
    return secondsSince(start);
  }
  // The same exit with the same windows open and nothing waiting.
  double exitWithoutAWait() {
    launch("normal", 0);
    if (!openBatchWindow()) return 0;
    const double seconds = exitFromTheTray();
    app.reset();
    return seconds;
  }
};

class CutShopLookup : public HostileContact, public ::testing::WithParamInterface<const char*> {};

TEST_P(CutShopLookup, OpensNoShopAndTheWindowAnswersMeanwhile) {
  const char* mode = GetParam();
  launch(mode);
  HWND box = idBox();
  ASSERT_NE(box, nullptr);
  ui::typeText(box, L"ab");
  const ULONGLONG start = GetTickCount64();
  ui::click(button(main, kEnterShop));
  ASSERT_TRUE(ui::waitUntil([&] { return requestsFor("/search?app=shopsearch") == 1; }));
  EXPECT_TRUE(answers(main)) << "the window does not answer during the lookup";
  // 进入店铺 waits while the lookup does.
  EXPECT_FALSE(IsWindowEnabled(button(main, kEnterShop)));
  ASSERT_TRUE(ui::waitUntil([&] { return IsWindowEnabled(button(main, kEnterShop)) != FALSE; }, kRoundTimeoutMs));
  std::printf("mode %s: the shop lookup failed after %.1f s (stall limit %d ms)\n", mode, secondsSince(start),
              kStallLimitMs);
  ui::settle(main);
  EXPECT_TRUE(browser().launches().empty());

  setMode("normal");
  ui::click(button(main, kEnterShop));
  ASSERT_TRUE(browser().waitForLaunches(1)) << "a later lookup still works";
  EXPECT_EQ(browser().launches().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(StalledOrReset, CutShopLookup, ::testing::Values("lookup-stall", "lookup-reset-half"));

class CutBatchPresence : public HostileContact, public ::testing::WithParamInterface<const char*> {};

TEST_P(CutBatchPresence, ContactsNobodyAndTheWindowsAnswerMeanwhile) {
  // Both sellers are online, as a whole answer would say.
  const char* mode = GetParam();
  launch(mode);
  HWND batch = openBatchWindow();
  ASSERT_NE(batch, nullptr);
  HWND list = ui::findControl(batch, L"Edit", L"");
  setText(list, L"baby-step.2\r\nbaby-step.5");
  const ULONGLONG start = GetTickCount64();
  ui::click(button(batch, kContact));
  ASSERT_TRUE(ui::waitUntil([&] { return requestsFor("/muliuserstatus.aw") >= 1; }));
  EXPECT_TRUE(answers(batch)) << "the batch window does not answer during the round";
  EXPECT_TRUE(answers(main)) << "the main window does not answer during the round";
  ASSERT_TRUE(ui::waitUntil([&] { return requestsFor("/muliuserstatus.aw") == 2; }, kRoundTimeoutMs));

  // A click during a round starts nothing: the first click that contacts
  // the seller of a whole answer came after the cut round ended.
  setMode("normal");
  setText(list, L"baby-step.5");
  ASSERT_TRUE(ui::waitUntil(
      [&] {
        if (!imClient().launches().empty()) return true;
        ui::click(button(batch, kContact));
        return false;
      },
      kRoundTimeoutMs));
  std::printf("mode %s: the batch round over two ids ended within %.1f s (stall limit %d ms)\n", mode,
              secondsSince(start), kStallLimitMs);
  for (const std::string& launch : imClient().launches())
    EXPECT_EQ(launch.find("baby-step.2"), std::string::npos) << "contacted on a cut answer: " << launch;
}

INSTANTIATE_TEST_SUITE_P(StalledOrReset, CutBatchPresence, ::testing::Values("presence-stall", "presence-reset-half"));

// ---- one wait at a time, and 退出 in the middle of one

const char kContactSelected[] = "\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0";  // 联系选中

// The answer stalls longer than the program's own 30 s limit.
TEST_F(HostileContact, DuringAStalledShopLookupOtherWaitsAreRefusedAndExitEndsTheProgramAtOnce) {
  const double withoutAWait = exitWithoutAWait();
  launch("lookup-stall", 0);
  HWND box = idBox();
  ASSERT_NE(box, nullptr);
  ui::typeText(box, L"ab");
  ui::click(button(main, kEnterShop));
  ASSERT_TRUE(ui::waitUntil([&] { return requestsFor("/search?app=shopsearch") == 1; }));

  EXPECT_FALSE(IsWindowEnabled(button(main, kEnterShop)));
  EXPECT_FALSE(IsWindowEnabled(button(main, kContactSelected)));
  ui::pressKey(box, VK_RETURN);  // a second lookup, which would wait inside the first
  HWND batch = openBatchWindow();
  ASSERT_NE(batch, nullptr) << "the windows answer during the lookup";
  HWND contact = button(batch, kContact);
  EXPECT_FALSE(IsWindowEnabled(contact));
  setText(ui::findControl(batch, L"Edit", L""), L"baby-step.5");
  PostMessageW(contact, BM_CLICK, 0, 0);
  ui::settle(batch);
  ui::saveScreenshot(L"waiting-for-a-shop-lookup");
  EXPECT_EQ(requestsFor("/search?app=shopsearch"), 1u);
  EXPECT_EQ(requestsFor("/muliuserstatus.aw"), 0u);

  const double seconds = exitFromTheTray();
  std::printf("exit during a stalled shop lookup: the process was gone after %.2f s (%.2f s without a wait)\n",
              seconds, withoutAWait);
  EXPECT_LT(seconds, withoutAWait + 2.0);
  EXPECT_TRUE(browser().launches().empty());
  EXPECT_TRUE(imClient().launches().empty());
}

TEST_F(HostileContact, DuringAStalledPresenceCheckOtherWaitsAreRefusedAndExitEndsTheProgramAtOnce) {
  const double withoutAWait = exitWithoutAWait();
  launch("presence-stall", 0);
  HWND batch = openBatchWindow();
  ASSERT_NE(batch, nullptr);
  setText(ui::findControl(batch, L"Edit", L""), L"baby-step.2\r\nbaby-step.5");
  ui::click(button(batch, kContact));
  ASSERT_TRUE(ui::waitUntil([&] { return requestsFor("/muliuserstatus.aw") == 1; }));

  EXPECT_FALSE(IsWindowEnabled(button(batch, kContact)));
  EXPECT_FALSE(IsWindowEnabled(button(main, kEnterShop)));
  HWND box = idBox();
  ASSERT_NE(box, nullptr);
  ui::typeText(box, L"ab");
  ui::pressKey(box, VK_RETURN);  // a lookup, which would wait inside the presence check
  EXPECT_EQ(requestsFor("/search?app=shopsearch"), 0u);

  const double seconds = exitFromTheTray();
  std::printf("exit during a stalled presence check: the process was gone after %.2f s (%.2f s without a wait)\n",
              seconds, withoutAWait);
  EXPECT_LT(seconds, withoutAWait + 2.0);
  EXPECT_EQ(requestsFor("/muliuserstatus.aw"), 1u) << "the round went on to the next id";
  EXPECT_TRUE(imClient().launches().empty());
  EXPECT_TRUE(browser().launches().empty());
}

}  // namespace
}  // namespace quorvane
