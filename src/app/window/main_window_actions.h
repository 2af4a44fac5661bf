#pragma once
// The main window's events that other subsystems carry out. The window calls
// each on its own thread; each subsystem implements its own in one file:
// contact_actions.cpp. The search (window_search.h) and the account list
// (account_reading.h) belong to the window itself.
#include "app/window/main_window.h"

namespace quorvane {

// contact_actions.cpp
void onContactSelectedClicked(MainWindow& window);
void onOpenShopRequested(MainWindow& window);  // 进入店铺, Enter in 旺旺输入框
void onOpenShopOfRowChosen(MainWindow& window, const LocalText& sellerId);  // "打开店铺" in the grid's menu
void onClearHistoryClicked(MainWindow& window);
void onBatchContactClicked(MainWindow& window);
void onMainTimerTick(MainWindow& window);  // 时钟1
void closeBatchWindowForExit(MainWindow& window);  // "退出": after the search stopped

}  // namespace quorvane
