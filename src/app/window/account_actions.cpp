#include "app/window/main_window_actions.h"

namespace quorvane {

// Account discovery arrives with the tray reader; until then the list stays empty.
void onRefreshAccountsClicked(MainWindow&) {}

}  // namespace quorvane
