#pragma once
// The notification area through UI Automation. On the XAML taskbar of
// Windows 11 (22H2 and later) the toolbar path stays but its toolbar is
// empty; every icon is an element with the AutomationId "NotifyItemIcon"
// whose name is the icon's tip.
//
// Only what every implementation answers is asked for: a true condition and
// a cache request for AutomationId and Name, one FindAllBuildCache per root
// (one cross-process round trip on Windows), the cached values read with
// GetCachedPropertyValueEx, the comparison made here. Wine 10, for one,
// refuses a property condition on a string property and answers E_NOTIMPL
// to GetCachedPropertyValue.
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "platform/tray_tips.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/ui_automation_client.h"

namespace quorvane::platform {

// The shell's windows a reading starts from.
class ShellWindows {
 public:
  virtual ~ShellWindows() = default;
  // Every top-level taskbar, then the hidden icons' window where it exists.
  virtual std::vector<HWND> automationRoots() const;
  // The hidden icons' windows that are open now.
  virtual std::vector<HWND> openHiddenIconWindows() const;
};

// One element as one FindAllBuildCache delivered it.
struct CachedElement {
  std::wstring automationId;
  std::wstring name;
  ComPtr<uia::IUIAutomationElement> element;
};

// The elements under each root, root by root in the order UI Automation
// lists them, at most kMostTrayIcons per root. A root that is gone or cannot
// be searched adds nothing; a time-out ends the reading.
struct AutomationElements {
  TrayReadOutcome outcome = TrayReadOutcome::NotFound;
  std::vector<CachedElement> elements;
};
AutomationElements elementsUnder(uia::IUIAutomation& automation, std::span<const HWND> roots);

// The names of the "NotifyItemIcon" elements, as local text.
TrayTips notifyIconTips(const AutomationElements& found);

// The taskbar's button that opens the hidden icons (null when there is none).
uia::IUIAutomationElement* hiddenIconsButton(const AutomationElements& found);

// The icons' tips with the hidden icons' flyout open: invokes its button,
// waits until the flyout shows an icon (it has no content before it is
// open) or a short while, reads every root, and invokes the button again
// unless the flyout closed by itself. NotFound without a button or where
// the Invoke pattern is refused (Wine 10 implements no pattern).
TrayTips readWithHiddenIconsOpen(uia::IUIAutomation& automation, const ShellWindows& windows);

}  // namespace quorvane::platform
