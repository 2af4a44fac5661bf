#pragma once
// The program's own window messages and command ids. The test driver posts
// kTrayIconMessage to stand in for the shell's notification-area events.
#include <windows.h>

namespace quorvane {

// The notification-area icon's callback: wParam = kTrayIconId, lParam = the
// mouse message (WM_LBUTTONUP shows the window, WM_RBUTTONUP pops the menu).
constexpr UINT kTrayIconMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;
constexpr UINT kRunUiTasksMessage = WM_APP + 2;     // drains runOnUiThread tasks
constexpr UINT kEnterPressedMessage = WM_APP + 4;   // wParam = control id of an edit box
constexpr UINT kRegionLinkMessage = WM_APP + 5;     // wParam = WM_LBUTTONDOWN or WM_MOUSEMOVE
constexpr UINT kGridSpaceMessage = WM_APP + 6;      // space went down in the grid
constexpr UINT kGridTickMessage = WM_APP + 7;       // a row's tick box was clicked; wParam = the row

constexpr UINT kExitCommand = 40001;  // "退出" in the icon menu
constexpr UINT kSearchKeyCommand = 40002;  // F5
constexpr UINT kRegionKeyCommand = 40003;  // Alt+R, the access key of 选择地区
constexpr UINT kSettingsCommand = 40004;   // "设置…" in the icon menu
constexpr UINT_PTR kTimer1Id = 1;     // 时钟1
// Once, a while after the shell (re)started: the IM clients put their icons
// back in answer to the same announcement, some only after the first reading.
constexpr UINT_PTR kRereadAccountsTimerId = 2;
constexpr UINT kRereadAccountsDelayMs = 2000;
// A reading of the accounts that has not ended by then counts as timed out.
constexpr UINT_PTR kAccountReadingTimerId = 3;
// Runs the runOnUiThread tasks whose kRunUiTasksMessage could not be posted.
constexpr UINT_PTR kRunUiTasksTimerId = 4;
// "今日已联系 N" is counted again now and then: the day ends at midnight,
// and the account list may change under it.
constexpr UINT_PTR kDailyCountTimerId = 5;
constexpr UINT kDailyCountIntervalMs = 30000;

// Control ids: kFirstControlId + the Control's index.
constexpr int kFirstControlId = 1000;

}  // namespace quorvane
