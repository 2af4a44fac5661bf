#pragma once
// Quorvane.exe driven through its windows the way a user works with it
// during a soak: searches started and stopped, searches run to their end,
// ticked rows contacted, ids contacted from the batch window. Each step
// checks that it really did its work, so a soak that quietly did nothing
// cannot pass for one without leaks.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "marketplace_session.h"
#include "soak_plan.h"
#include "ui_driver.h"

namespace quorvane::soak {

class SoakUser {
 public:
  // Starts the program beside an empty history and sets up the search: 浙江,
  // the soak's keyword, every credit, 选中过滤 off (so that contacted rows
  // can be ticked again).
  static std::unique_ptr<SoakUser> launch();

  DWORD processId() const { return app_->processId(); }

  ::testing::AssertionResult startAndStopSearch(const CycleStop& stop);
  ::testing::AssertionResult completeSearch();
  ::testing::AssertionResult contactRound();
  ::testing::AssertionResult batchRound();

  // Whether the window still answers its messages.
  bool answers() const;

 private:
  SoakUser() = default;
  bool setUpSearch();
  HWND button(const char* gbkCaption) const;
  bool searchEnabled() const;
  ::testing::AssertionResult clickSearch();
  ::testing::AssertionResult waitForRequest(const char* pathPart) const;
  ::testing::AssertionResult presenceShownAsListed() const;
  HWND openBatchWindow() const;

  std::unique_ptr<ui::App> app_;
  testing::MarketplaceSession market_;
  HWND window_ = nullptr;
  std::unique_ptr<ui::RemoteGrid> grid_;
  std::map<std::wstring, std::wstring> listedPresence_;  // seller id -> 在线状态, from the shop file
  size_t chatLaunches_ = 0;                               // launches the stand-in IM client has recorded
};

}  // namespace quorvane::soak
