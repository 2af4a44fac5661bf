#pragma once
// The main window's events that other subsystems carry out. The window calls
// each on its own thread; each subsystem implements its own in one file:
// contact_actions.cpp. The search (window_search.h) and the account list
// (account_reading.h) belong to the window itself.
#include "app/window/batch_id_window.h"
#include "app/window/main_window.h"

namespace quorvane {

// contact_actions.cpp. The actions that wait (the round of 联系选中 and the
// shop lookups) do so through window.waits(), and do nothing while another
// wait runs.
void onContactSelectedClicked(MainWindow& window);
void onOpenShopRequested(MainWindow& window);  // 进入店铺, Enter in 旺旺输入框
void onOpenShopOfRowChosen(MainWindow& window, const LocalText& sellerId);  // "打开店铺" in the grid's menu
void onClearHistoryClicked(MainWindow& window);
void onMainTimerTick(MainWindow& window);  // 时钟1
// What the batch-id window (批量联系) asks of the rest of the program.
BatchIdWindowServices batchWindowServices(MainWindow& window);

}  // namespace quorvane
