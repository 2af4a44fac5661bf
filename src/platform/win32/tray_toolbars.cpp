#include "platform/win32/tray_toolbars.h"

#include <initializer_list>

#include "platform/tray_tips.h"
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

namespace {

// Every button's text, toolbar by toolbar; a toolbar that went away between
// the look-up and the read adds nothing. Each message waits a bounded time
// (ToolbarReader), so a hung shell ends the reading with what it gave.
class ToolbarTips final : public TrayTipSource {
 public:
  TrayTips readTips() override {
    const std::vector<HWND> toolbars = findTrayToolbars();
    if (toolbars.empty()) return {};
    TrayTips tips{TrayReadOutcome::Read, {}};
    for (HWND toolbar : toolbars) {
      ToolbarReader reader;
      if (!reader.Attach(toolbar, true)) continue;
      const int count = reader.ButtonCount();
      for (int i = 0; i < count; ++i) tips.tips.push_back(reader.ButtonText(i));
    }
    return tips;
  }
};

}  // namespace

TrayTipSource& trayToolbarTips() {
  // Never destroyed: a reading still running on its worker when the process
  // exits may be using it.
  static TrayTipSource& tips = *new ToolbarTips;
  return tips;
}

}  // namespace quorvane::platform
