#pragma once
// Controls that sit on a container (the header frame 分组框1, the region
// panel 图片框1) notify the container, not the main window. The container
// hands those notifications to the main window, so every handler lives in
// one place; and edit boxes report Enter, which they would otherwise eat.
#include <windows.h>

namespace quorvane {

// Makes `container` pass its children's notifications on to `target`.
void forwardNotifications(HWND container, HWND target);
// Window procedure for containers of our own class (the region panel).
LRESULT CALLBACK forwardingContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool isChildNotification(UINT message);

// Enter in `edit` reaches its top-level window as kEnterPressedMessage with
// the edit's control id.
void reportEnter(HWND edit);

// Mouse presses and moves over `label` reach its parent as kRegionLinkMessage.
void reportLinkMouse(HWND label);

}  // namespace quorvane
