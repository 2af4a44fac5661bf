// Prints what one account discovery costs per tray icon, as a multiple of
// one cross-process toolbar message measured in the same run.
// Run: scripts/wine-run build/win/tests/tools/tray_discovery_bench/tray_discovery_bench.exe
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "imaccounts/discover_im_accounts.h"
#include "platform/tray_tips.h"
#include "platform/win32/tray_toolbars.h"
#include "standin_tray_client.h"

namespace {

constexpr int kIcons = 100;
constexpr int kRounds = 20;

class CountingList : public quorvane::AccountList {
 public:
  void clearItems() override { count = 0; }
  void addItem(const quorvane::LocalText&) override { ++count; }
  void setSelectedIndex(int) override {}
  int count = 0;
};

template <typename F>
double secondsFor(F work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  std::vector<std::string> tips;
  for (int i = 0; i < kIcons; ++i)
    tips.push_back(i % 2 ? "\xC7\xA7\xC5\xA3 - account" + std::to_string(i) : "Other program " + std::to_string(i));
  standin_tray::StandinTray tray(tips);
  if (!tray.running()) {
    std::puts("the stand-in tray did not start");
    return 1;
  }
  auto toolbars = quorvane::platform::findTrayToolbars();
  if (toolbars.empty()) {
    std::puts("the stand-in tray's toolbar was not found");
    return 1;
  }
  HWND toolbar = toolbars.front();
  double message = secondsFor([&] {
    for (int i = 0; i < kRounds * kIcons; ++i) SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0);
  }) / (kRounds * kIcons);
  CountingList list;
  double discovery = secondsFor([&] {
    for (int i = 0; i < kRounds; ++i)
      quorvane::showImAccounts(quorvane::readImAccounts(quorvane::platform::trayToolbarTips(),
                                                        quorvane::platform::trayAutomationTips(),
                                                        quorvane::HiddenIcons::LeaveClosed),
                               "", list);
  }) / kRounds;
  double perIcon = discovery / kIcons;
  std::printf("icons %d, accounts found %d\n", kIcons, list.count);
  std::printf("one toolbar message: %.1f us\n", message * 1e6);
  std::printf("discovery per icon: %.1f us = %.1f toolbar messages\n", perIcon * 1e6, perIcon / message);
  std::printf("discovery of %d icons: %.1f ms\n", kIcons, discovery * 1e3);
  return 0;
}
