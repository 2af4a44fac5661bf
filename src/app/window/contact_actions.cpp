#include <windows.h>

#include <chrono>
#include <random>

#include "app/contact_log.h"
#include "app/contact_status_text.h"
#include "app/window/main_window_actions.h"
#include "app/window/window_text.h"
#include "app/window/window_waits.h"
#include "contact/contact_history.h"
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

platform::ShellOpen launchImChat(const LocalText& url) { return platform::shellOpen(url); }

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

// While a paced round runs, 联系选中 reads "停止联系" and ends it. Unlike
// 退出, a stop the user chose still tells how the round went.
class RoundStopButton {
 public:
  RoundStopButton(MainWindow& window, Wait& wait, bool offered) : window_(window), offered_(offered) {
    if (offered_) window_.offerRoundStop([this, &wait] {
        chosen_ = true;
        wait.cancel();
      });
  }
  ~RoundStopButton() {
    if (offered_) window_.offerRoundStop({});
  }
  RoundStopButton(const RoundStopButton&) = delete;
  RoundStopButton& operator=(const RoundStopButton&) = delete;
  bool chosen() const { return chosen_; }

 private:
  MainWindow& window_;
  const bool offered_;
  bool chosen_ = false;
};

// Seeded from the clock: the pauses must only differ from run to run.
// (std::random_device is not usable everywhere the program runs.)
std::mt19937& pauseRandom() {
  static std::mt19937 random{static_cast<std::mt19937::result_type>(
      std::chrono::steady_clock::now().time_since_epoch().count())};
  return random;
}

}  // namespace

void onContactSelectedClicked(MainWindow& window) {
  const std::unique_ptr<WindowWait> wait = window.waits().begin(window.handle());
  if (!wait) return;
  MainWindowSellers sellers(window);
  HistoryFile history;
  const ContactPace pace = window.contactPace();
  const RoundStopButton stop(window, *wait, pace.paused());
  SelectedSellersRound steps(sellers, history, launchImChat,
                             [&window](int row) {
                               window.contactLog().append({logEntryOfRow(window, row)});
                               window.showDailyCount(false);
                             });
  const RoundOutcome outcome = runContactRound(steps, pace, *wait, chatsTodayOf(window), pauseRandom(),
                                               [&window](const LocalText& text) { window.setStatusText(text); });
  const ContactReport report = steps.finish();
  if (wait->cancelled() && !stop.chosen()) return;  // the program is being left
  window.setStatusText(withLogWaiting(
      withRoundEnd(contactRoundText(report, newlyPerUserHistory(report, history.file())), outcome.end, pace),
      window.contactLog().waiting()));
  window.showDailyCount(false);
}

void onOpenShopRequested(MainWindow& window) { onOpenShopOfRowChosen(window, window.text(Control::旺旺输入框)); }

void onOpenShopOfRowChosen(MainWindow& window, const LocalText& sellerId) {
  const std::unique_ptr<WindowWait> wait = window.waits().begin(window.handle());
  if (!wait) return;
  WebClient web(*wait);
  openShopPage(
      sellerId, "https://" + window.serviceHosts().search, [&web](const LocalText& url) { return web.plainGet(url); },
      [&wait](const LocalText& address) {
        if (!wait->cancelled()) platform::shellOpen(address);
      });
}

void onClearHistoryClicked(MainWindow& window) {
  if (MessageBoxW(window.handle(), toWide(kClearQuestion).c_str(), toWide(kClearTitle).c_str(), MB_OKCANCEL) == IDOK)
    window.setStatusText(historyClearedText(ContactHistory::ofThisProgram().remove()));
}

BatchIdWindowServices batchWindowServices(MainWindow& window) {
  BatchIdWindowServices services;
  services.selectedAccount = [&window] { return selectedAccount(window); };
  services.presence = [&window](const LocalText& id, Wait& wait) {
    WebClient web(wait);
    return PresenceLookup(web, window.serviceHosts().presence, id, IdEncoding::EscapeAll);
  };
  services.launch = launchImChat;
  services.launched = [&window](const LocalText& id) {
    window.contactLog().append({logEntry(window, id, ContactSource::BatchList)});
    window.showDailyCount(false);
  };
  services.pace = [&window] { return window.contactPace(); };
  services.chatsToday = [&window] { return chatsTodayOf(window); };
  services.random = &pauseRandom();
  services.tell = [&window](const LocalText& text) { window.setStatusText(text); };
  services.roundEnded = [&window](const ChatLaunches& launches, RoundEnd end) {
    window.setStatusText(
        withLogWaiting(withRoundEnd(batchRoundText(launches), end, window.contactPace()), window.contactLog().waiting()));
    window.showDailyCount(false);
  };
  return services;
}

void onMainTimerTick(MainWindow& window) { answerAccountChooser(platform::desktopWindows(), selectedAccount(window)); }

}  // namespace quorvane
