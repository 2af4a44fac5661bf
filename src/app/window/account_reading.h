#pragma once
// 联系旺旺列表框 filled from the notification area without ever holding the
// window: each reading runs on a worker thread of its own and hands the
// accounts to the window through its task queue. The window stays in charge
// of the list: a reading that ends late, or after the window has gone, is
// dropped unseen.
#include <windows.h>

#include <memory>
#include <optional>

#include "app/window/main_window.h"
#include "imaccounts/discover_im_accounts.h"

namespace quorvane {

class AccountReading {
 public:
  explicit AccountReading(MainWindow& window);
  ~AccountReading();
  AccountReading(const AccountReading&) = delete;
  AccountReading& operator=(const AccountReading&) = delete;

  // Starts a reading and returns at once; the list changes when it ends.
  // While one runs, a new request waits for it and then runs once.
  // OpenIfNeeded only for the user's 刷新: the hidden icons' flyout takes the
  // focus for a moment, and it comes back to the window afterwards.
  void start(HiddenIcons hidden);
  // kAccountReadingTimerId went off: the running reading took too long.
  void onTimeLimit();

  // The account 联系旺旺列表框 shows selected now ("" for none): what a
  // settings file keeps.
  LocalText selectedAccount() const;
  // An account to select when a reading fills the list while nothing is
  // selected yet, as at start-up: the one a settings file kept.
  void keepAccount(const LocalText& account) { kept_ = account; }

 private:
  struct Handoff;

  void finish(unsigned serial, const ImAccountReading& reading);
  void endRunning();

  MainWindow& window_;
  std::shared_ptr<Handoff> handoff_;
  unsigned serial_ = 0;
  bool running_ = false;
  bool focusToTakeBack_ = false;
  HWND focusBefore_ = nullptr;
  std::optional<HiddenIcons> waiting_;
  LocalText kept_;
};

}  // namespace quorvane
