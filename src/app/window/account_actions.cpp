#include "app/window/main_window_actions.h"
#include "imaccounts/discover_im_accounts.h"
#include "platform/tray_tips.h"

namespace quorvane {
namespace {

// 联系旺旺列表框 as the list the discovery fills.
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

void onRefreshAccountsClicked(MainWindow& window) {
  AccountComboBox accounts(window);
  DiscoverImAccounts(platform::trayToolbarTips(), platform::trayAutomationTips(), accounts);
}

}  // namespace quorvane
