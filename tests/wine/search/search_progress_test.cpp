// How far a search has come, where the user sees it: the taskbar button
// (the shell's taskbar list replaced by a log of what the window asks of it)
// and the tooltip of 搜索结果. The window runs in the test's own process and
// searches the substitute marketplace.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window/main_window_impl.h"
#include "app/window/taskbar_progress.h"
#include "app/window/window_messages.h"
#include "market_texts.h"
#include "marketplace_session.h"
#include "text/wide_text.h"

namespace quorvane {
namespace {

using namespace quorvane::testing;

const LocalText kReading = "\xD5\xFD\xD4\xDA\xCB\xD1\xCB\xF7\xA3\xBA";                // 正在搜索：
const LocalText kFinished = "\xCB\xD1\xCB\xF7\xCD\xEA\xB3\xC9\xA3\xBA";               // 搜索完成：
const LocalText kStopped = "\xCB\xD1\xCB\xF7\xD2\xD1\xCD\xA3\xD6\xB9\xA3\xBA";        // 搜索已停止：

struct TaskbarLog : TaskbarProgress {
  std::vector<std::string> calls;
  void start() override { calls.push_back("start"); }
  void advance(std::uint64_t done, std::uint64_t total) override {
    calls.push_back("advance " + std::to_string(done) + "/" + std::to_string(total));
  }
  void clear() override { calls.push_back("clear"); }
  std::uint64_t lastDone() const {
    for (auto call = calls.rbegin(); call != calls.rend(); ++call)
      if (call->rfind("advance ", 0) == 0) return std::stoull(call->substr(8));
    return UINT64_MAX;
  }
};

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 60000) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() > end) return false;
    pump();
    Sleep(2);
  }
  return true;
}

bool startsWith(const LocalText& text, const LocalText& start) { return text.rfind(start, 0) == 0; }

// One window for the suite (its notification-area icon costs seconds to
// take away under Wine).
class SearchProgressShown : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    MainWindowImpl::registerWindowClass(GetModuleHandleW(nullptr));
    shared = MainWindowImpl::create(GetModuleHandleW(nullptr)).release();
  }
  static void TearDownTestSuite() {
    delete shared;
    pump();
  }
  void SetUp() override {
    ASSERT_TRUE(market.running()) << "run under tests/services/with-marketplace.sh";
    ASSERT_NE(shared, nullptr);
    window = shared;
    window->useTaskbarProgress(&taskbar);
    for (Control province : {Control::安徽, Control::浙江}) window->setTicked(province, true);
    window->setText(Control::关键词输入框, kKeyword);
    window->setSelectedIndex(Control::组合框1, 1);  // 0-1心
  }
  void TearDown() override {
    market.releaseAnswers();
    stop();
    window->useTaskbarProgress(nullptr);
  }

  void click(Control button) {
    SendMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(kFirstControlId + indexOf(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window->control(button)));
  }
  void search() { click(Control::搜索); }
  void stop() { click(Control::停止搜索); }
  bool searching() const { return !window->enabled(Control::搜索); }
  void waitForRequest(const LocalText& text) {
    ASSERT_TRUE(pumpUntil([&] {
      for (const LoggedRequest& r : market.requests())
        if (r.line.find(text) != LocalText::npos) return true;
      return false;
    }));
  }
  LocalText tooltip() const { return window->searchProgressText(); }

  MarketplaceSession market;
  TaskbarLog taskbar;
  static MainWindowImpl* shared;
  MainWindowImpl* window = nullptr;
};
MainWindowImpl* SearchProgressShown::shared = nullptr;

// 安徽 has three pages (the first page's ranks end the province at 0-1心),
// 浙江 one: each province is half the bar.
TEST_F(SearchProgressShown, TheBarStartsAdvancesByProvinceAndPageAndClearsAtTheEnd) {
  market.holdAnswersTo("&s=20");  // the second page read of 安徽
  search();
  waitForRequest("&s=20");
  ASSERT_TRUE(pumpUntil([&] { return tooltip() == kReading + kAnhui + " \xB5\xDA 2/3 \xD2\xB3"; }))
      << tooltip();  // 正在搜索：安徽 第 2/3 页
  EXPECT_EQ(taskbar.calls.front(), "start");
  EXPECT_EQ(taskbar.lastDone(), 333u);
  market.releaseAnswers();
  ASSERT_TRUE(pumpUntil([&] { return !searching(); }));

  ASSERT_GE(taskbar.calls.size(), 4u);
  EXPECT_EQ(taskbar.calls[1], "advance 0/2000");
  EXPECT_EQ(taskbar.calls.back(), "clear");
  std::uint64_t last = 0;
  for (size_t i = 1; i + 1 < taskbar.calls.size(); ++i) {
    SCOPED_TRACE(taskbar.calls[i]);
    ASSERT_EQ(taskbar.calls[i].rfind("advance ", 0), 0u);
    const std::uint64_t done = std::stoull(taskbar.calls[i].substr(8));
    EXPECT_GE(done, last);
    EXPECT_EQ(taskbar.calls[i].substr(taskbar.calls[i].find('/')), "/2000");
    last = done;
  }
  EXPECT_EQ(last, 1000u) << "浙江 began; its one page read leaves it at half";
  // 搜索完成：关键词“童鞋”，地区 安徽、浙江，信誉 0-1心，用时 …
  EXPECT_TRUE(startsWith(tooltip(), kFinished + "\xB9\xD8\xBC\xFC\xB4\xCA\xA1\xB0" + kKeyword + "\xA1\xB1\xA3\xAC\xB5\xD8\xC7\xF8 " +
                                        kAnhui + "\xA1\xA2" + kZhejiang + "\xA3\xAC\xD0\xC5\xD3\xFE 0-1\xD0\xC4\xA3\xAC\xD3\xC3\xCA\xB1 "))
      << tooltip();
}

TEST_F(SearchProgressShown, AStopClearsTheBarAndTheTooltipSaysSo) {
  market.holdAnswersTo("&s=20");
  search();
  waitForRequest("&s=20");
  stop();
  ASSERT_TRUE(pumpUntil([&] { return !taskbar.calls.empty() && taskbar.calls.back() == "clear"; }));
  EXPECT_TRUE(startsWith(tooltip(), kStopped)) << tooltip();
  EXPECT_EQ(taskbar.calls.front(), "start");
  market.releaseAnswers();
  pump();
  EXPECT_EQ(taskbar.calls.back(), "clear") << "nothing of the stopped search shows afterwards";
}

TEST_F(SearchProgressShown, TheTooltipCoversTheCountLabelWhichStillLetsTheMouseThrough) {
  search();
  ASSERT_TRUE(pumpUntil([&] { return !searching(); }));
  HWND label = window->control(Control::搜索结果);
  HWND tip = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM found) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        if (std::wstring(name) != TOOLTIPS_CLASSW) return TRUE;
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(tip, nullptr);
  ASSERT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t text[512] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.lpszText = text;
  ASSERT_TRUE(SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_EQ(std::wstring(text), toWide(tooltip()));
  EXPECT_TRUE(startsWith(tooltip(), kFinished));
  RECT labelBox{};
  GetWindowRect(label, &labelBox);
  MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT*>(&labelBox), 2);
  EXPECT_EQ(tool.hwnd, window->handle());
  EXPECT_TRUE(EqualRect(&tool.rect, &labelBox));
  // The mouse over the label is the mouse over the window (选择地区 turns
  // black again there), and the label's own text is the specified count.
  EXPECT_EQ(SendMessageW(label, WM_NCHITTEST, 0, MAKELPARAM(labelBox.left + 2, labelBox.top + 2)), HTTRANSPARENT);
  EXPECT_EQ(window->text(Control::搜索结果), "\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "28/\xCC\xF5");

  // The mouse resting over the label shows the tooltip: the window hands
  // its mouse messages to it.
  POINT over{(labelBox.left + labelBox.right) / 2, (labelBox.top + labelBox.bottom) / 2};
  POINT onScreen = over;
  ClientToScreen(window->handle(), &onScreen);
  SetForegroundWindow(window->handle());
  SetCursorPos(onScreen.x, onScreen.y);
  SendMessageW(window->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
  EXPECT_TRUE(pumpUntil([&] { return IsWindowVisible(tip) != FALSE; })) << "the tooltip never showed";
  SendMessageW(tip, TTM_POP, 0, 0);

  // A label the layout moves takes its tooltip along: the bottom row keeps
  // its distance to the window's bottom.
  RECT outer{};
  GetWindowRect(window->handle(), &outer);
  SetWindowPos(window->handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + 7,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(tool.rect.top, labelBox.top + 7);
  SetWindowPos(window->handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Without a log in its place, the window asks the shell once the button
// exists; whatever the shell answers (Wine has no taskbar), the search runs.
TEST_F(SearchProgressShown, TheShellsTaskbarListMissingOrRefusingChangesNothingElse) {
  window->useTaskbarProgress(nullptr);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  SendMessageW(window->handle(), RegisterWindowMessageW(L"TaskbarButtonCreated"), 0, 0);
  search();
  ASSERT_TRUE(pumpUntil([&] { return !searching(); }));
  EXPECT_EQ(window->text(Control::搜索结果), "\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "28/\xCC\xF5");
  EXPECT_TRUE(startsWith(tooltip(), kFinished));
  EXPECT_TRUE(taskbar.calls.empty());
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace
}  // namespace quorvane
