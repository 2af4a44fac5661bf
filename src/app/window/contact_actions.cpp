#include <windows.h>

#include "app/contact_status_text.h"
#include "app/window/main_window_actions.h"
#include "app/window/window_text.h"
#include "app/window/window_waits.h"
#include "contact/contact_history.h"
#include "contact/contact_selected.h"
#include "contact/dialog_automation.h"
#include "contact/shop_page.h"
#include "platform/im_client_windows.h"
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
  void resetSelection() override { window_.resetSelection(); }
  void selectAgain(int row) override { window_.addToSelection(row); }
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

}  // namespace

void onContactSelectedClicked(MainWindow& window) {
  const std::unique_ptr<WindowWait> wait = window.waits().begin(window.handle());
  if (!wait) return;
  MainWindowSellers sellers(window);
  HistoryFile history;
  const ContactReport report = contactSelectedSellers(sellers, history, launchImChat, *wait);
  if (wait->cancelled()) return;  // the program is being left
  window.setStatusText(contactRoundText(report, newlyPerUserHistory(report, history.file())));
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
  services.roundEnded = [&window](const ChatLaunches& launches) { window.setStatusText(batchRoundText(launches)); };
  return services;
}

void onMainTimerTick(MainWindow& window) { answerAccountChooser(platform::desktopWindows(), selectedAccount(window)); }

}  // namespace quorvane
