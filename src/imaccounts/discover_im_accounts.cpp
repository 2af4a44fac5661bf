#include "imaccounts/discover_im_accounts.h"

#include <algorithm>

#include "imaccounts/im_account_tip.h"

namespace quorvane {

void DiscoverImAccounts(std::span<TrayToolbar* const> toolbars, AccountList& accounts) {
  accounts.clearItems();
  bool found = false;
  for (TrayToolbar* toolbar : toolbars) {
    int count = std::clamp(toolbar->ButtonCount(), 0, kMostTrayButtons);
    for (int i = 0; i < count; ++i) {
      if (auto account = imAccountFromTip(toolbar->ButtonText(i))) {
        accounts.addItem(*account);
        found = true;
      }
    }
  }
  accounts.setSelectedIndex(found ? 0 : -1);
}

}  // namespace quorvane
