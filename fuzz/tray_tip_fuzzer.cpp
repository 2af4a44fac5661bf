// Input: [toolbar count][per toolbar: claimed button count, int8] then the
// tips, each [length][bytes], handed out in order (a button past the last
// tip reads as ""), then, for what remains, one button record decoded in
// both layouts.
// Every accepted tip gives exactly its account name, in order, and the first
// item is selected exactly when there is one.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "imaccounts/discover_im_accounts.h"
#include "imaccounts/im_account_tip.h"
#include "imaccounts/toolbar_button.h"

using namespace quorvane;

namespace {

class Tips {
 public:
  explicit Tips(std::string_view input) : input_(input) {}
  LocalText next() {
    if (input_.empty()) return {};
    const size_t length = std::min<size_t>(static_cast<unsigned char>(input_[0]), input_.size() - 1);
    LocalText tip(input_.substr(1, length));
    input_.remove_prefix(1 + length);
    handedOut_.push_back(tip);
    return tip;
  }
  const std::vector<LocalText>& handedOut() const { return handedOut_; }
  std::string_view rest() const { return input_; }

 private:
  std::string_view input_;
  std::vector<LocalText> handedOut_;
};

class FakeToolbar : public TrayToolbar {
 public:
  FakeToolbar(int claimed, Tips& tips) : claimed_(claimed), tips_(tips) {}
  int ButtonCount() override { return claimed_; }
  LocalText ButtonText(int index) override {
    FUZZ_CHECK(index >= 0 && index < claimed_ && index < kMostTrayButtons);
    return tips_.next();
  }

 private:
  int claimed_;
  Tips& tips_;
};

class RecordingList : public AccountList {
 public:
  void clearItems() override { items.clear(); }
  void addItem(const LocalText& account) override { items.push_back(account); }
  void setSelectedIndex(int index) override { selected = index; }
  std::vector<LocalText> items;
  int selected = -2;
};

void checkButtonDecoding(std::string_view bytes) {
  for (ToolbarButtonLayout layout : {ToolbarButtonLayout::Bits32, ToolbarButtonLayout::Bits64}) {
    const auto button = decodeToolbarButton(bytes, layout);
    FUZZ_CHECK(button.has_value() == (bytes.size() >= toolbarButtonSize(layout)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t toolbarCount = std::min<size_t>(data[0] % 8, size - 1);
  Tips tips(std::string_view(reinterpret_cast<const char*>(data) + 1 + toolbarCount,
                             size - 1 - toolbarCount));
  std::vector<FakeToolbar> toolbars;
  for (size_t i = 0; i < toolbarCount; ++i) {
    const int claimed = static_cast<int8_t>(data[1 + i]);
    toolbars.emplace_back(claimed == 127 ? 1 << 30 : claimed, tips);
  }
  std::vector<TrayToolbar*> pointers;
  for (FakeToolbar& toolbar : toolbars) pointers.push_back(&toolbar);

  RecordingList accounts;
  accounts.items.push_back("stale");
  DiscoverImAccounts(pointers, accounts);

  size_t item = 0;
  for (const LocalText& tip : tips.handedOut()) {
    const std::optional<LocalText> account = imAccountFromTip(tip);
    if (!account) continue;
    FUZZ_CHECK(tip.starts_with(kImClientTipPrefix) && !account->empty());
    FUZZ_CHECK(tip.ends_with(*account) && tip.size() == account->size() + kImClientTipHeadBytes);
    FUZZ_CHECK(item < accounts.items.size() && accounts.items[item] == *account);
    ++item;
  }
  FUZZ_CHECK(item == accounts.items.size());
  FUZZ_CHECK(accounts.selected == (accounts.items.empty() ? -1 : 0));
  checkButtonDecoding(tips.rest());
  return 0;
}
