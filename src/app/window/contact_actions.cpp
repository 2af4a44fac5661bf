#include "app/window/main_window_actions.h"

namespace quorvane {

// Contacting arrives with the contact subsystem; until then these do nothing.
void onContactSelectedClicked(MainWindow&) {}
void onOpenShopRequested(MainWindow&) {}
void onClearHistoryClicked(MainWindow&) {}
void onBatchContactClicked(MainWindow&) {}
void onMainTimerTick(MainWindow&) {}
void closeBatchWindowForExit(MainWindow&) {}

}  // namespace quorvane
