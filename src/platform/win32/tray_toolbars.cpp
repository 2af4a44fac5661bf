#include "platform/win32/tray_toolbars.h"

#include <initializer_list>
#include <memory>

#include "platform/win32/toolbar_reader.h"

namespace quorvane::platform {
namespace {

// Titles are never part of a look-up: some shells title their tray toolbar
// ("User Promoted Notification Area"), and it must be found all the same.
HWND descend(HWND window, std::initializer_list<const char*> childClasses) {
  for (const char* className : childClasses) {
    if (!window) break;
    window = FindWindowExA(window, nullptr, className, nullptr);
  }
  return window;
}

// The first top-level window of `topClass` under which the path exists:
// another window of the same class (Wine's explorer keeps a childless
// "Shell_TrayWnd" of its own) does not hide the real one.
HWND findPath(const char* topClass, std::initializer_list<const char*> childClasses) {
  for (HWND top = FindWindowExA(nullptr, nullptr, topClass, nullptr); top;
       top = FindWindowExA(nullptr, top, topClass, nullptr)) {
    if (HWND found = descend(top, childClasses)) return found;
  }
  return nullptr;
}

}  // namespace

std::vector<HWND> findTrayToolbars() {
  std::vector<HWND> toolbars;
  if (HWND visible = findPath("Shell_TrayWnd", {"TrayNotifyWnd", "SysPager", "ToolbarWindow32"}))
    toolbars.push_back(visible);
  if (HWND hidden = findPath("NotifyIconOverflowWindow", {"ToolbarWindow32"})) toolbars.push_back(hidden);
  return toolbars;
}

void DiscoverImAccounts(AccountList& accounts) {
  std::vector<std::unique_ptr<ToolbarReader>> readers;
  std::vector<TrayToolbar*> toolbars;
  for (HWND window : findTrayToolbars()) {
    auto reader = std::make_unique<ToolbarReader>();
    if (!reader->Attach(window, true)) continue;
    toolbars.push_back(reader.get());
    readers.push_back(std::move(reader));
  }
  quorvane::DiscoverImAccounts(toolbars, accounts);
}

}  // namespace quorvane::platform
