#pragma once
// Lists the logged-in IM accounts from the tips of the notification area's
// icons. A reading runs away from the window (readImAccounts), the list is
// filled on the window's thread from what it found (showImAccounts). The
// notification area and the list are interfaces so that the rules can be
// run against anything that holds tips and items.
#include <vector>

#include "platform/tray_tips.h"
#include "text/text.h"

namespace quorvane {

// The drop-down list the accounts go into.
class AccountList {
 public:
  virtual ~AccountList() = default;
  virtual void clearItems() = 0;
  virtual void addItem(const LocalText& account) = 0;
  virtual void setSelectedIndex(int index) = 0;  // -1 for none
};

// Whether a reading may open the hidden icons' flyout: only when the user
// asked for it (刷新), never at start-up or when the shell restarts.
enum class HiddenIcons { LeaveClosed, OpenIfNeeded };

struct ImAccountReading {
  platform::TrayReadOutcome outcome = platform::TrayReadOutcome::NotFound;
  std::vector<LocalText> accounts;  // in icon order; the same account twice when two icons show it
  bool throughAutomation = false;   // the XAML notification area answered, not a toolbar
  bool hiddenIconsOpened = false;   // the shell took the focus for a moment
};

// What the notification area shows: the toolbars whenever they show an icon,
// otherwise what UI Automation shows (the XAML notification area keeps the
// toolbar path but leaves its toolbar empty), and when that has no client
// icon either and `hidden` allows it, the same again with the hidden icons'
// flyout open. A time-out anywhere makes the whole reading a time-out: what
// the shell shows is then unknown.
ImAccountReading readImAccounts(platform::TrayTipSource& toolbars, platform::TrayTipSource& automation,
                                HiddenIcons hidden);

// The item to select in `accounts`: the one selected before (`kept`) while
// it is still listed, otherwise the first; -1 for an empty list.
int accountToSelect(const std::vector<LocalText>& accounts, const LocalText& kept);

// Refills `list` with the reading's accounts and selects accountToSelect.
// A reading that timed out leaves the list as it was.
void showImAccounts(const ImAccountReading& reading, const LocalText& kept, AccountList& list);

// The status line's words for a reading that has ended, and for one under way.
LocalText imAccountStatus(const ImAccountReading& reading);
LocalText imAccountReadingStarted();

}  // namespace quorvane
