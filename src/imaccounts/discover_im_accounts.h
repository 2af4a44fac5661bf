#pragma once
// Lists the logged-in IM accounts from the tips of the notification area's
// icons. The notification area and the list are interfaces so that the rule
// can be run against anything that holds tips and items.
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

// The tips to read: the toolbars' whenever they show an icon, otherwise what
// UI Automation shows (the XAML notification area keeps the toolbar path but
// leaves its toolbar empty). Empty when neither shows an icon.
std::vector<LocalText> notificationAreaTips(platform::TrayTipSource& toolbars, platform::TrayTipSource& automation);

// Refills `accounts` with one item per IM client icon, in icon order, and
// selects the first item (nothing when there is none).
void DiscoverImAccounts(platform::TrayTipSource& toolbars, platform::TrayTipSource& automation,
                        AccountList& accounts);

}  // namespace quorvane
