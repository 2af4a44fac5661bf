#pragma once
// Lists the logged-in IM accounts from the tips of the notification area's
// icons. The toolbars and the list are interfaces so that the rule can be
// run against anything that holds buttons and items.
#include <span>

#include "text/text.h"

namespace quorvane {

// One notification-area toolbar; its buttons are the icons.
class TrayToolbar {
 public:
  virtual ~TrayToolbar() = default;
  virtual int ButtonCount() = 0;
  // The icon's tip as local text; "" when it cannot be read.
  virtual LocalText ButtonText(int index) = 0;
};

// The drop-down list the accounts go into.
class AccountList {
 public:
  virtual ~AccountList() = default;
  virtual void clearItems() = 0;
  virtual void addItem(const LocalText& account) = 0;
  virtual void setSelectedIndex(int index) = 0;  // -1 for none
};

// More buttons than any notification area holds: a toolbar that claims more
// is read only this far, so a broken answer cannot stall the window.
inline constexpr int kMostTrayButtons = 1024;

// Refills `accounts` with one item per IM client icon, toolbar by toolbar in
// icon order, and selects the first item (nothing when there is none).
void DiscoverImAccounts(std::span<TrayToolbar* const> toolbars, AccountList& accounts);

}  // namespace quorvane
