#include "app/window/account_reading.h"

#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "app/window/window_messages.h"
#include "platform/tray_tips.h"

namespace quorvane {
namespace {

// A reading normally ends within the shell's own time-outs (2 s a call where
// UI Automation offers them); past these it counts as timed out, whatever
// the worker is still waiting for. The flyout adds its opening and closing.
constexpr UINT kReadingLimitMs = 10000;
constexpr UINT kReadingWithFlyoutLimitMs = 15000;
// Readings given up on whose workers still wait for a shell that does not
// answer: past this many, no new one is started until one of them ends.
constexpr int kMostStrandedWorkers = 3;

// 联系旺旺列表框 as the list a reading fills.
class AccountComboBox final : public AccountList {
 public:
  explicit AccountComboBox(MainWindow& window) : window_(window) {}
  void clearItems() override { window_.clearItems(Control::联系旺旺列表框); }
  void addItem(const LocalText& account) override { window_.addItem(Control::联系旺旺列表框, account); }
  void setSelectedIndex(int index) override { window_.setSelectedIndex(Control::联系旺旺列表框, index); }

 private:
  MainWindow& window_;
};

}  // namespace

// What the window shares with its workers, and nothing else of it.
//
// A worker is detached and holds only this. It may sit inside a
// cross-process call for as long as the shell makes it (Wine honours no
// UI Automation time-out), and neither the window nor exit waits for it:
// when the window goes, `owner` becomes null under the lock, so a worker
// that ends later hands its result to nobody; when the process exits, the
// system ends the worker where it stands. That is safe because the worker
// owns nothing that must be released before exit (its COM objects live in
// its own apartment, which goes with the process, and the tray sources are
// never destroyed). Joining it would make exit wait for a hung shell, and
// TerminateThread could leave a lock of the COM runtime held.
struct AccountReading::Handoff {
  std::mutex mutex;
  AccountReading* owner = nullptr;
  int workers = 0;  // still running, finished or given up
};

AccountReading::AccountReading(MainWindow& window) : window_(window), handoff_(std::make_shared<Handoff>()) {
  handoff_->owner = this;
}

AccountReading::~AccountReading() {
  std::lock_guard lock(handoff_->mutex);
  handoff_->owner = nullptr;
}

void AccountReading::start(HiddenIcons hidden) {
  if (running_) {
    if (!waiting_ || hidden == HiddenIcons::OpenIfNeeded) waiting_ = hidden;
    return;
  }
  const bool userAsked = hidden == HiddenIcons::OpenIfNeeded;
  {
    std::lock_guard lock(handoff_->mutex);
    if (handoff_->workers >= kMostStrandedWorkers) {
      if (userAsked) window_.setStatusText(imAccountStatus({platform::TrayReadOutcome::TimedOut, {}}));
      return;
    }
    ++handoff_->workers;
  }
  const unsigned serial = ++serial_;
  running_ = true;
  focusToTakeBack_ = userAsked;
  focusBefore_ = userAsked ? GetFocus() : nullptr;
  if (userAsked) window_.setStatusText(imAccountReadingStarted());
  SetTimer(window_.handle(), kAccountReadingTimerId, userAsked ? kReadingWithFlyoutLimitMs : kReadingLimitMs,
           nullptr);
  try {
    std::thread([handoff = handoff_, serial, hidden] {
      ImAccountReading reading = readImAccounts(platform::trayToolbarTips(), platform::trayAutomationTips(), hidden);
      std::lock_guard lock(handoff->mutex);
      --handoff->workers;
      if (AccountReading* owner = handoff->owner)
        owner->window_.runOnUiThread([owner, serial, reading = std::move(reading)] { owner->finish(serial, reading); });
    }).detach();
  } catch (const std::system_error&) {
    {
      std::lock_guard lock(handoff_->mutex);
      --handoff_->workers;
    }
    finish(serial, {platform::TrayReadOutcome::TimedOut, {}});
  }
}

void AccountReading::onTimeLimit() {
  if (!running_) return;
  // The worker's result, should it still come, belongs to no reading.
  ++serial_;
  endRunning();
  window_.setStatusText(imAccountStatus({platform::TrayReadOutcome::TimedOut, {}}));
}

LocalText AccountReading::selectedAccount() const {
  return window_.selectedIndex(Control::联系旺旺列表框) < 0 ? LocalText() : window_.text(Control::联系旺旺列表框);
}

void AccountReading::finish(unsigned serial, const ImAccountReading& reading) {
  if (serial != serial_ || !running_) return;
  const LocalText selected = selectedAccount();
  AccountComboBox accounts(window_);
  showImAccounts(reading, selected.empty() ? kept_ : selected, accounts);
  window_.setStatusText(imAccountStatus(reading));
  // The flyout took the focus; the user's click on 刷新 lets the window
  // take it back.
  if (reading.hiddenIconsOpened && focusToTakeBack_) {
    SetForegroundWindow(window_.handle());
    if (focusBefore_ && IsWindow(focusBefore_)) SetFocus(focusBefore_);
  }
  endRunning();
}

void AccountReading::endRunning() {
  KillTimer(window_.handle(), kAccountReadingTimerId);
  running_ = false;
  focusToTakeBack_ = false;
  focusBefore_ = nullptr;
  if (auto next = std::exchange(waiting_, std::nullopt)) start(*next);
}

}  // namespace quorvane
