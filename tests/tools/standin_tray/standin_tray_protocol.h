#pragma once
// How tests talk to the stand-in shell tray (standin_tray.exe).
//
// Command line: standin_tray.exe TIPS_FILE [RECORD_FILE [READY_EVENT [OPTION...]]]
//
// READY_EVENT names an event that the stand-in sets once every window below
// exists and its buttons are shown ("" for none).
//
// OPTIONs:
//   windows11  the shape of Windows 11 from 22H2: the visible icons' toolbar
//              stays empty whatever the tips, Shell_TrayWnd gets a child of
//              class "Windows.UI.Composition.DesktopWindowContentBridge", and
//              the hidden icons' window is a childless top-level window of
//              class "TopLevelWindowForOverflowXamlIsland" (no
//              NotifyIconOverflowWindow).
//              Both top-level windows serve UI Automation elements from
//              WM_GETOBJECT (standin_tray_automation.h), as Windows 11's
//              taskbar shows them: Shell_TrayWnd holds the hidden icons'
//              button (AutomationId "SystemTrayIcon", name "显示隐藏的图标",
//              Invoke shows or hides the hidden icons' window and gives it
//              the focus), one "NotifyItemIcon" button per visible tip (a
//              tip starting with kNestedMarker one level deeper, inside a
//              group, without the marker) and the input indicator (another
//              "SystemTrayIcon"); the hidden icons' window holds one
//              "NotifyItemIcon" per hidden tip while it is shown, none while
//              it is hidden (it starts hidden).
//   overflowshown  with windows11: the hidden icons' window starts shown.
//   slow=MS    with windows11: every answer of a window's root element
//              waits MS milliseconds, as a shell that hangs.
//   protected  the stand-in's process refuses every OpenProcess (an empty,
//              protected DACL), as a shell guarded by a security suite;
//              window messages still arrive.
//   forward    every Shell_NotifyIcon call is also handed on to the other
//              Shell_TrayWnd (Wine's own taskbar), which then draws the
//              icons and shows their tips as the shell does: for pictures.
//
// TIPS_FILE holds one button tip per line, as local (GBK) bytes; LF or CR LF
// ends a line. The lines go to the visible icons' toolbar
// (Shell_TrayWnd > TrayNotifyWnd > SysPager > ToolbarWindow32) until a line
// reading exactly "[overflow]"; the lines after it go to the hidden icons'
// toolbar (NotifyIconOverflowWindow > ToolbarWindow32).
//
// Sending kReloadTipsMessage to the stand-in's Shell_TrayWnd re-reads
// TIPS_FILE and rebuilds both toolbars before the send returns; the answer is
// the number of buttons now shown, or -1 when the file cannot be read.
//
// Every Shell_NotifyIcon call of any process reaches the stand-in as
// WM_COPYDATA and is answered with TRUE. Icons added that way appear as
// buttons after the file's ones on the visible toolbar (tip = the icon's tip),
// change with NIM_MODIFY and go with NIM_DELETE. Each call is appended to
// RECORD_FILE, before the call returns, as one line:
//   OP HWND ID FLAGS CALLBACK TIP
// OP is the NIM_ code in decimal, HWND the calling window, ID the icon id,
// FLAGS the NIF_ flags, CALLBACK the callback message (these three in hex);
// TIP is the tip as local (GBK) text in hex, or "-" when empty or not given.
// To click an icon, post CALLBACK to HWND with wParam ID and lParam the mouse
// message (WM_LBUTTONUP, WM_RBUTTONUP, ...), as the shell does.
#include <windows.h>

namespace standin_tray {

constexpr UINT kReloadTipsMessage = WM_APP + 1;
constexpr const char* kOverflowMarker = "[overflow]";
constexpr const wchar_t* kWindows11Option = L"windows11";
constexpr const wchar_t* kProtectedOption = L"protected";
constexpr const wchar_t* kOverflowShownOption = L"overflowshown";
constexpr const wchar_t* kSlowOption = L"slow=";
constexpr const wchar_t* kForwardOption = L"forward";
constexpr const char* kNestedMarker = "\t";

}  // namespace standin_tray
