#pragma once
// The notification area through UI Automation. On the XAML taskbar of
// Windows 11 (22H2 and later) the toolbar path stays but its toolbar is
// empty; every icon is an element with the AutomationId "NotifyItemIcon"
// whose name is the icon's tip.
#include <windows.h>

#include <optional>
#include <span>
#include <vector>

#include "platform/win32/ui_automation_client.h"
#include "text/text.h"

namespace quorvane::platform {

// Every top-level taskbar, then the hidden icons' window where it exists.
// The hidden icons' flyout is never opened: it would flicker and take the
// focus, so its icons are read only while the user has it open.
std::vector<HWND> findAutomationRoots();

// The name of every "NotifyItemIcon" element under each root, root by root
// in the order UI Automation lists them, as local text ("" for a name that
// cannot be read); at most kMostTrayIcons per root. Nothing when the
// condition cannot be made.
std::optional<std::vector<LocalText>> notifyIconNames(uia::IUIAutomation& automation, std::span<const HWND> roots);

}  // namespace quorvane::platform
