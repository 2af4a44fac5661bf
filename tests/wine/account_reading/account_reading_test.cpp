// What the window sees of an account reading: the request returns at once,
// the list and the status line change only on the window's thread when the
// reading ends, a reading that outlives its time limit leaves the list as it
// was and says so, and the thread is free all the while. The window is a
// stand-in that records what the reading does to it.
#include "app/window/account_reading.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/window/ui_task_queue.h"
#include "app/window/window_messages.h"
#include "standin_tray_client.h"

namespace quorvane {
namespace {

using standin_tray::StandinTray;
using standin_tray::uiAutomationPresent;
using standin_tray::TrayOptions;
using Items = std::vector<LocalText>;
using Clock = std::chrono::steady_clock;

const LocalText kClient = "\xC7\xA7\xC5\xA3";  // "千牛"
LocalText clientTip(const LocalText& account) { return kClient + " - " + account; }
// "通知区域没有及时应答，帐号列表保持不变"
const LocalText kTimedOut =
    "\xCD\xA8\xD6\xAA\xC7\xF8\xD3\xF2\xC3\xBB\xD3\xD0\xBC\xB0\xCA\xB1\xD3\xA6\xB4\xF0\xA3\xAC\xD5\xCA\xBA\xC5\xC1\xD0"
    "\xB1\xED\xB1\xA3\xB3\xD6\xB2\xBB\xB1\xE4";


// The main window as the reading uses it: the account list, the status
// line, the task queue and the time-limit timer, on this thread; every
// change is checked to come on it.
class RecordingWindow final : public MainWindow {
 public:
  RecordingWindow() {
    WNDCLASSW cls{};
    cls.lpfnWndProc = proc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"QuorvaneAccountReadingTest";
    RegisterClassW(&cls);
    window_ = CreateWindowExW(0, cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    tasks_.open(window_);
  }
  ~RecordingWindow() override {
    tasks_.close();
    DestroyWindow(window_);
  }

  AccountReading* reading = nullptr;
  ContactLog log{ProgramFile("unused-log.csv", std::nullopt), ProgramFile("unused-data.txt", std::nullopt)};
  Items items;
  int selected = -1;
  std::vector<LocalText> statuses;
  bool offThread = false;

  HWND handle() const override { return window_; }
  HWND control(Control) const override { return nullptr; }
  LocalText text(Control) const override { return selected >= 0 ? items[selected] : ""; }
  void setText(Control, const LocalText&) override {}
  bool ticked(Control) const override { return false; }
  void setTicked(Control, bool) override {}
  int selectedIndex(Control) const override { return selected; }
  void setSelectedIndex(Control, int index) override {
    check();
    selected = index >= 0 && index < static_cast<int>(items.size()) ? index : -1;
  }
  void clearItems(Control) override {
    check();
    items.clear();
    selected = -1;
  }
  void addItem(Control, const LocalText& item) override {
    check();
    items.push_back(item);
  }
  bool enabled(Control) const override { return true; }
  void setEnabled(Control, bool) override {}
  ResultTable& table() override { return table_; }
  void resetSelection() override {}
  LocalText selectionList() const override { return ""; }
  void removeFromSelection(int) override {}
  ContactLog& contactLog() override { return log; }
  ContactPace contactPace() const override { return {}; }
  void showDailyCount(bool) override {}
  void offerRoundStop(std::function<void()>) override {}
  ServiceHosts serviceHosts() const override { return {}; }
  void slideRegionPanelOut() override {}
  unsigned timerInterval() const override { return 0; }
  void setTimerInterval(unsigned) override {}
  void runOnUiThread(std::function<void()> task) override { tasks_.post(std::move(task)); }
  WindowWaits& waits() override { return waits_; }
  void setStatusText(const LocalText& text) override {
    check();
    statuses.push_back(text);
  }

  // Pumps this thread's messages until `done` or the limit; the longest
  // stretch between two turns of the loop, the window's answering time.
  template <typename Condition>
  bool pumpUntil(Condition done, int limitMs, double* longestGapMs = nullptr) {
    const auto end = Clock::now() + std::chrono::milliseconds(limitMs);
    auto last = Clock::now();
    while (!done() && Clock::now() < end) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      const auto now = Clock::now();
      if (longestGapMs)
        *longestGapMs = std::max(*longestGapMs, std::chrono::duration<double, std::milli>(now - last).count());
      last = now;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
  }

 private:
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->tasks_.onMessage(message, wParam)) return 0;
    if (self && message == WM_TIMER && wParam == kAccountReadingTimerId && self->reading) {
      self->reading->onTimeLimit();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  void check() { offThread = offThread || GetCurrentThreadId() != thread_; }

  HWND window_ = nullptr;
  DWORD thread_ = GetCurrentThreadId();
  UiTaskQueue tasks_;
  WindowWaits waits_{{}, {}};
  ResultTable table_;
};

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

// 刷新 returns at once and the list fills later on the window's thread; the
// status line says first that the reading runs, then what it found. The
// account kept (from a settings file, then the one chosen) stays selected.
TEST(AccountReading, ARequestReturnsAtOnceAndTheListFillsOnTheWindowsThreadWhenTheReadingEnds) {
  StandinTray tray({clientTip("alice"), "Volume", clientTip("bob")});
  ASSERT_TRUE(tray.running());
  RecordingWindow window;
  AccountReading reading(window);
  window.reading = &reading;
  reading.keepAccount("bob");  // as a settings file kept it
  const auto start = Clock::now();
  reading.start(HiddenIcons::OpenIfNeeded);
  const double startMs = millisecondsSince(start);
  std::printf("starting a reading: %.2f ms\n", startMs);
  EXPECT_TRUE(window.items.empty()) << "filled before the window's thread took the result";
  double longestGap = 0;
  ASSERT_TRUE(window.pumpUntil([&] { return !window.items.empty(); }, 20000, &longestGap));
  std::printf("reading to the list: %.1f ms, the thread's longest wait meanwhile %.1f ms\n", millisecondsSince(start),
              longestGap);
  EXPECT_EQ(window.items, (Items{"alice", "bob"}));
  EXPECT_EQ(window.selected, 1) << "the kept account, with nothing selected before";
  ASSERT_EQ(window.statuses.size(), 2u);
  EXPECT_EQ(window.statuses[1], "\xD5\xD2\xB5\xBD 2 \xB8\xF6\xC7\xA7\xC5\xA3\xD5\xCA\xBA\xC5");  // "找到 2 个千牛帐号"
  EXPECT_FALSE(window.offThread);

  // The account chosen is kept by the next reading, wherever it now stands.
  window.selected = 0;
  ASSERT_GE(tray.show({"Volume", clientTip("bob"), clientTip("alice")}), 3);
  reading.start(HiddenIcons::LeaveClosed);
  ASSERT_TRUE(window.pumpUntil([&] { return window.items.size() == 2 && window.items[0] == "bob"; }, 20000));
  EXPECT_EQ(window.selected, 1);
  EXPECT_EQ(window.items[window.selected], "alice");
}

// A shell whose UI Automation does not answer: Wine offers no time-out of its
// own, so the window's time limit ends the reading. The list keeps what it
// showed, the status line says so, and the thread never waited on the shell.
TEST(AccountReading, AReadingPastItsTimeLimitLeavesTheListAsItWasAndSaysSo) {
  if (!uiAutomationPresent()) GTEST_SKIP() << "no UI Automation here (Wine 8)";
  RecordingWindow window;
  AccountReading reading(window);
  window.reading = &reading;
  {
    StandinTray shown({clientTip("alice")});
    ASSERT_TRUE(shown.running());
    reading.start(HiddenIcons::LeaveClosed);
    ASSERT_TRUE(window.pumpUntil([&] { return !window.items.empty(); }, 20000));
  }
  StandinTray hung({clientTip("bob")}, {}, TrayOptions{.windows11 = true, .slowMs = 30000});
  ASSERT_TRUE(hung.running());
  window.statuses.clear();
  const auto start = Clock::now();
  reading.start(HiddenIcons::LeaveClosed);
  double longestGap = 0;
  ASSERT_TRUE(window.pumpUntil([&] { return !window.statuses.empty(); }, 25000, &longestGap));
  std::printf("a reading of a hung shell given up after %.0f ms; the thread's longest wait %.1f ms\n",
              millisecondsSince(start), longestGap);
  EXPECT_EQ(window.statuses.back(), kTimedOut);
  EXPECT_EQ(window.items, (Items{"alice"}));
  EXPECT_EQ(window.selected, 0);
  EXPECT_LT(longestGap, 1000.0) << "the window's thread waited on the shell";
  EXPECT_FALSE(window.offThread);
}

}  // namespace quorvane
