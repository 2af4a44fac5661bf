#pragma once
// What the tray suites share: client tips and a list that records what the
// discovery put into it.
#include <string>
#include <vector>

#include "imaccounts/discover_im_accounts.h"

namespace quorvane::tray_test {

inline const LocalText kClient = "\xC7\xA7\xC5\xA3";  // "千牛"
inline LocalText clientTip(const LocalText& account) { return kClient + " - " + account; }

class RecordedList : public AccountList {
 public:
  void clearItems() override {
    items.clear();
    selected = -1;
  }
  void addItem(const LocalText& account) override { items.push_back(account); }
  void setSelectedIndex(int index) override { selected = index >= 0 && index < int(items.size()) ? index : -1; }

  std::vector<LocalText> items{"stale"};
  int selected = 0;
};

}  // namespace quorvane::tray_test
