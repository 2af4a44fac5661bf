#include "imaccounts/discover_im_accounts.h"

#include "imaccounts/im_account_tip.h"

namespace quorvane {

std::vector<LocalText> notificationAreaTips(platform::TrayTipSource& toolbars, platform::TrayTipSource& automation) {
  if (auto tips = toolbars.readTips(); tips && !tips->empty()) return *std::move(tips);
  if (auto tips = automation.readTips()) return *std::move(tips);
  return {};
}

void DiscoverImAccounts(platform::TrayTipSource& toolbars, platform::TrayTipSource& automation,
                        AccountList& accounts) {
  accounts.clearItems();
  bool found = false;
  for (const LocalText& tip : notificationAreaTips(toolbars, automation)) {
    if (auto account = imAccountFromTip(tip)) {
      accounts.addItem(*account);
      found = true;
    }
  }
  accounts.setSelectedIndex(found ? 0 : -1);
}

}  // namespace quorvane
