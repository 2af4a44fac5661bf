#include "app/window/main_window_actions.h"

namespace quorvane {

// The search arrives with the search subsystem; until then these do nothing.
void onSearchRequested(MainWindow&) {}
void onStopSearchClicked(MainWindow&) {}
void stopSearchForExit(MainWindow&) {}

}  // namespace quorvane
