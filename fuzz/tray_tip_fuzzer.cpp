// Input: [toolbar tip count][automation tip count] (255: that way finds no
// notification area) then the tips, each [length][bytes], handed out in
// order to the toolbar first, then, for what remains, one button record
// decoded in both layouts.
// Automation is asked exactly when the toolbar shows no icon, the hidden
// icons' flyout never without the user's request; every accepted tip of the
// way read gives exactly its account name, in order, the account kept is
// selected again while it is listed, otherwise the first.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "imaccounts/discover_im_accounts.h"
#include "imaccounts/im_account_tip.h"
#include "platform/toolbar_button.h"

using namespace quorvane;

namespace {

constexpr uint8_t kNoNotificationArea = 255;

class TipStream {
 public:
  explicit TipStream(std::string_view input) : input_(input) {}
  LocalText next() {
    if (input_.empty()) return {};
    const size_t length = std::min<size_t>(static_cast<unsigned char>(input_[0]), input_.size() - 1);
    LocalText tip(input_.substr(1, length));
    input_.remove_prefix(1 + length);
    return tip;
  }
  std::string_view rest() const { return input_; }

 private:
  std::string_view input_;
};

class FakeSource : public platform::TrayTipSource {
 public:
  FakeSource(uint8_t count, TipStream& stream) : count_(count), stream_(stream) {}
  platform::TrayTips readTips() override {
    ++reads;
    if (count_ == kNoNotificationArea) return {};
    for (uint8_t i = 0; i < count_; ++i) handedOut.push_back(stream_.next());
    return {platform::TrayReadOutcome::Read, handedOut};
  }
  platform::TrayTips readTipsWithHiddenIconsOpen() override {
    ++flyoutReads;
    return {};
  }
  int reads = 0;
  int flyoutReads = 0;
  std::vector<LocalText> handedOut;

 private:
  uint8_t count_;
  TipStream& stream_;
};

class RecordingList : public AccountList {
 public:
  void clearItems() override { items.clear(); }
  void addItem(const LocalText& account) override { items.push_back(account); }
  void setSelectedIndex(int index) override { selected = index; }
  std::vector<LocalText> items;
  int selected = -2;
};

void checkAccountsCameFrom(const std::vector<LocalText>& tips, const LocalText& kept,
                           const RecordingList& accounts) {
  size_t item = 0;
  for (const LocalText& tip : tips) {
    const std::optional<LocalText> account = imAccountFromTip(tip);
    if (!account) continue;
    FUZZ_CHECK(tip.starts_with(kImClientTipPrefix) && !account->empty());
    FUZZ_CHECK(tip.ends_with(*account) && tip.size() == account->size() + kImClientTipHeadBytes);
    FUZZ_CHECK(item < accounts.items.size() && accounts.items[item] == *account);
    ++item;
  }
  FUZZ_CHECK(item == accounts.items.size());
  if (accounts.items.empty()) {
    FUZZ_CHECK(accounts.selected == -1);
    return;
  }
  FUZZ_CHECK(accounts.selected >= 0 && static_cast<size_t>(accounts.selected) < accounts.items.size());
  const bool keptListed = std::find(accounts.items.begin(), accounts.items.end(), kept) != accounts.items.end();
  FUZZ_CHECK(keptListed ? accounts.items[accounts.selected] == kept : accounts.selected == 0);
}

void checkButtonDecoding(std::string_view bytes) {
  using platform::ToolbarButtonLayout;
  for (ToolbarButtonLayout layout : {ToolbarButtonLayout::Bits32, ToolbarButtonLayout::Bits64}) {
    const auto button = platform::decodeToolbarButton(bytes, layout);
    FUZZ_CHECK(button.has_value() == (bytes.size() >= platform::toolbarButtonSize(layout)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  TipStream stream(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));
  FakeSource toolbars(data[0], stream);
  FakeSource automation(data[1], stream);

  RecordingList accounts;
  accounts.items.push_back("stale");
  const ImAccountReading reading = readImAccounts(toolbars, automation, HiddenIcons::LeaveClosed);
  // The account kept from before: the last tip handed out, so that it is
  // listed about as often as not.
  const std::vector<LocalText>& tips = !toolbars.handedOut.empty() ? toolbars.handedOut : automation.handedOut;
  const LocalText kept = tips.empty() ? LocalText() : imAccountFromTip(tips.back()).value_or(LocalText("gone"));
  showImAccounts(reading, kept, accounts);

  const bool toolbarShowedIcons = !toolbars.handedOut.empty();
  FUZZ_CHECK(toolbars.reads == 1);
  FUZZ_CHECK(automation.reads == (toolbarShowedIcons ? 0 : 1));
  FUZZ_CHECK(toolbars.flyoutReads == 0 && automation.flyoutReads == 0);
  checkAccountsCameFrom(tips, kept, accounts);
  checkButtonDecoding(stream.rest());
  return 0;
}
