#include <windows.h>

#include <chrono>
#include <random>

#include "app/contact_log.h"
#include "app/contact_status_text.h"
#include "app/window/batch_id_window.h"
#include "app/window/main_window_actions.h"
#include "app/window/window_text.h"
#include "contact/batch_contact.h"
#include "contact/contact_history.h"
#include "contact/contact_round.h"
#include "contact/contact_selected.h"
#include "contact/dialog_automation.h"
#include "contact/shop_page.h"
#include "contact/paced_round.h"
#include "platform/im_client_windows.h"
#include "platform/local_time.h"
#include "platform/shell.h"
#include "search/presence_lookup.h"
#include "search/service_hosts.h"
#include "text/encodings.h"
#include "web/ui_event_pump.h"
#include "web/web_client.h"

namespace quorvane {
namespace {

constexpr char kClearQuestion[] = "\xC8\xB7\xB6\xA8\xC7\xE5\xB3\xFD\xBB\xBA\xB4\xE6\xA3\xBF";  // "确定清除缓存？"
constexpr char kClearTitle[] = "\xC7\xE5\xB3\xFD";                                           // "清除"

class MainWindowSellers : public SelectedSellers {
 public:
  explicit MainWindowSellers(MainWindow& window) : window_(window) {}
  ResultTable& table() override { return window_.table(); }
  LocalText selectionList() const override { return window_.selectionList(); }
  void unselect(int row) override { window_.removeFromSelection(row); }
  unsigned watcherInterval() const override { return window_.timerInterval(); }
  void setWatcherInterval(unsigned milliseconds) override { window_.setTimerInterval(milliseconds); }

 private:
  MainWindow& window_;
};

class HistoryFile : public HistoryStore {
 public:
  LocalText load() override { return history_.load(); }
  std::optional<ProgramFile::Place> save(const LocalText& previous, const LocalText& newEntries) override {
    return history_.save(previous, newEntries);
  }
  const ProgramFile& file() const { return history_.file(); }

 private:
  ContactHistory history_ = ContactHistory::ofThisProgram();
};

// The status line names the per-user folder once, the first time this run's
// history goes there; after that the user knows.
bool perUserHistoryTold = false;

std::optional<LocalText> newlyPerUserHistory(const ContactReport& report, const ProgramFile& file) {
  if (report.saved != ProgramFile::Place::PerUser || perUserHistoryTold || !file.perUser()) return std::nullopt;
  perUserHistoryTold = true;
  return toLocal(file.perUser()->wstring());
}

// While the ticked rows are contacted or a shop is looked up, the window's
// events still run (the URL encoder and the wait for an answer let them),
// but the user's clicks and keys must not reach it: a new search or a tick
// in the middle of the round would change the rows under it.
class UserInputPaused {
 public:
  explicit UserInputPaused(HWND window) : window_(window), focus_(GetFocus()) { EnableWindow(window_, FALSE); }
  ~UserInputPaused() {
    EnableWindow(window_, TRUE);
    if (focus_ && IsWindow(focus_)) SetFocus(focus_);
  }
  UserInputPaused(const UserInputPaused&) = delete;
  UserInputPaused& operator=(const UserInputPaused&) = delete;

 private:
  HWND window_;
  HWND focus_;
};

// Runs the window events that are waiting, as the URL encoder does after each
// byte. A quit request is left in the queue for the main loop.
void runPendingWindowEvents() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void ensureEventPump() {
  static const bool installed = [] {
    installUiEventPump(runPendingWindowEvents);
    return true;
  }();
  (void)installed;
}

platform::ShellOpen launchImChat(const LocalText& url) { return platform::shellOpen(url); }

ByteArray shopLookup(const LocalText& url) { return WebClient().plainGet(url); }

LocalText selectedAccount(const MainWindow& window) { return window.text(Control::联系旺旺列表框); }

// A chat that went out, as the contact log records it.
ContactLogEntry logEntry(const MainWindow& window, const LocalText& sellerId, ContactSource source) {
  ContactLogEntry entry;
  entry.time = platform::localNow();
  entry.account = selectedAccount(window);
  entry.sellerId = sellerId;
  entry.source = source;
  return entry;
}

ContactLogEntry logEntryOfRow(MainWindow& window, int row) {
  ResultTable& table = window.table();
  ContactLogEntry entry = logEntry(window, table.shop(row).sellerId, ContactSource::SearchResults);
  entry.shopName = table.shop(row).shopName;
  entry.keyword = table.keywordOf(row);
  entry.province = table.provinceOf(row);
  return entry;
}

// The account's chats today, as the log counts them; read afresh once a
// round starts, so another copy of the program's chats count too.
std::function<int()> chatsTodayOf(MainWindow& window) {
  window.contactLog().contactsOn(platform::localNow(), selectedAccount(window), true);
  return [&window] { return window.contactLog().contactsOn(platform::localNow(), selectedAccount(window)); };
}

// Seeded from the clock: the pauses must only differ from run to run.
// (std::random_device is not usable everywhere the program runs.)
std::mt19937& pauseRandom() {
  static std::mt19937 random{static_cast<std::mt19937::result_type>(
      std::chrono::steady_clock::now().time_since_epoch().count())};
  return random;
}

}  // namespace

void onContactSelectedClicked(MainWindow& window) {
  ContactRound round;
  if (!round.claimed()) return;
  ensureEventPump();
  MainWindowSellers sellers(window);
  HistoryFile history;
  UserInputPaused paused(window.handle());
  const ContactPace pace = window.contactPace();
  SelectedSellersRound steps(sellers, history, launchImChat,
                             [&window](int row) { window.contactLog().append({logEntryOfRow(window, row)}); });
  WithoutPauses pauses([&round] { return round.stopRequested(); });
  const RoundOutcome outcome = runContactRound(steps, pace, pauses, chatsTodayOf(window), pauseRandom(),
                                               [&window](const LocalText& text) { window.setStatusText(text); });
  const ContactReport report = steps.finish();
  window.setStatusText(withLogWaiting(
      withRoundEnd(contactRoundText(report, newlyPerUserHistory(report, history.file())), outcome.end, pace),
      window.contactLog().waiting()));
  window.showDailyCount(false);
}

void onOpenShopRequested(MainWindow& window) { onOpenShopOfRowChosen(window, window.text(Control::旺旺输入框)); }

void onOpenShopOfRowChosen(MainWindow& window, const LocalText& sellerId) {
  ensureEventPump();
  // The lookup lets window events run while it waits for its answer; a
  // click meanwhile must not start a lookup inside it.
  UserInputPaused paused(window.handle());
  openShopPage(sellerId, "https://" + window.serviceHosts().search, shopLookup, platform::shellOpen);
}

void onClearHistoryClicked(MainWindow& window) {
  if (MessageBoxW(window.handle(), toWide(kClearQuestion).c_str(), toWide(kClearTitle).c_str(), MB_OKCANCEL) == IDOK)
    window.setStatusText(historyClearedText(ContactHistory::ofThisProgram().remove()));
}

void onBatchContactClicked(MainWindow& window) {
  ensureEventPump();
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window.handle(), GWLP_HINSTANCE));
  BatchIdWindowServices services;
  services.selectedAccount = [&window] { return selectedAccount(window); };
  services.presence = [&window](const LocalText& id) {
    WebClient web;
    return PresenceLookup(web, window.serviceHosts().presence, id, IdEncoding::EscapeAll);
  };
  services.launch = launchImChat;
  services.launched = [&window](const LocalText& id) {
    window.contactLog().append({logEntry(window, id, ContactSource::BatchList)});
  };
  services.pace = [&window] { return window.contactPace(); };
  services.chatsToday = [&window] { return chatsTodayOf(window); };
  services.random = &pauseRandom();
  services.roundEnded = [&window](const ChatLaunches& launches, RoundEnd end) {
    window.setStatusText(
        withLogWaiting(withRoundEnd(batchRoundText(launches), end, window.contactPace()), window.contactLog().waiting()));
    window.showDailyCount(false);
  };
  BatchIdWindow::open(instance, std::move(services));
}

void onMainTimerTick(MainWindow& window) { answerAccountChooser(platform::desktopWindows(), selectedAccount(window)); }

void closeBatchWindowForExit(MainWindow&) {
  ContactRound::stopRunning();
  BatchIdWindow::close();
}

}  // namespace quorvane
