#include <windows.h>
#include <shellapi.h>

#include "platform/shell.h"

namespace quorvane::platform {

void shellOpen(const LocalText& target) {
  ShellExecuteA(nullptr, "open", target.c_str(), "", "", SW_SHOWNORMAL);
}

}  // namespace quorvane::platform
