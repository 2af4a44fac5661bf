// The stand-in's own promises, which the window's tests rely on.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "platform/win32/tray_toolbars.h"
#include "standin_tray_client.h"

namespace standin_tray {

TEST(StandinTray, RecordsEveryShellNotifyIconCallAndAnswersIt) {
  StandinTray tray({"a"});
  ASSERT_TRUE(tray.running());
  HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  NOTIFYICONDATAW icon = {};
  icon.cbSize = sizeof icon;
  icon.hWnd = owner;
  icon.uID = 3;
  icon.uFlags = NIF_MESSAGE | NIF_TIP;
  icon.uCallbackMessage = WM_APP + 7;
  wcscpy(icon.szTip, L"Quorvane \x641C\x7D22");  // "Quorvane 搜索"
  ASSERT_TRUE(Shell_NotifyIconW(NIM_ADD, &icon));
  EXPECT_EQ(tray.show({"a", "b"}), 3);  // two from the file, one icon
  icon.uFlags = NIF_TIP;
  wcscpy(icon.szTip, L"changed");
  ASSERT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &icon));
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &icon));

  auto records = tray.notifyRecords();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].operation, DWORD(NIM_ADD));
  EXPECT_EQ(records[0].window, owner);
  EXPECT_EQ(records[0].id, 3u);
  EXPECT_EQ(records[0].flags & (NIF_MESSAGE | NIF_TIP), UINT(NIF_MESSAGE | NIF_TIP));
  EXPECT_EQ(records[0].callbackMessage, UINT(WM_APP + 7));
  EXPECT_EQ(records[0].tip, "Quorvane \xCB\xD1\xCB\xF7");
  EXPECT_EQ(records[1].operation, DWORD(NIM_MODIFY));
  EXPECT_EQ(records[1].tip, "changed");
  EXPECT_EQ(records[2].operation, DWORD(NIM_DELETE));
  EXPECT_EQ(tray.show({"a"}), 1);
  DestroyWindow(owner);
}

TEST(StandinTray, ShowsNewTipsWhileItRuns) {
  StandinTray tray({"a", "b"}, {"c"});
  ASSERT_TRUE(tray.running());
  EXPECT_EQ(tray.show({}, {}), 0);
  EXPECT_EQ(tray.show({"x"}, {"y", "z"}), 3);
}

TEST(StandinTray, TheWindows11ShapeHasTheXamlWindowsAndAnEmptyToolbarWhateverItShows) {
  StandinTray tray({"a", "b"}, {"c"}, TrayOptions{.windows11 = true});
  ASSERT_TRUE(tray.running());
  EXPECT_NE(FindWindowExW(tray.window(), nullptr, L"Windows.UI.Composition.DesktopWindowContentBridge", nullptr),
            nullptr);
  EXPECT_NE(FindWindowW(L"TopLevelWindowForOverflowXamlIsland", nullptr), nullptr);
  EXPECT_EQ(FindWindowW(L"NotifyIconOverflowWindow", nullptr), nullptr);
  auto toolbars = quorvane::platform::findTrayToolbars();
  ASSERT_EQ(toolbars.size(), 1u);
  EXPECT_EQ(GetAncestor(toolbars[0], GA_ROOT), tray.window());
  EXPECT_EQ(SendMessageW(toolbars[0], TB_BUTTONCOUNT, 0, 0), 0);
  EXPECT_EQ(tray.show({"x"}), 0);
}

TEST(StandinTray, AProtectedStandInCannotBeOpenedButStillAnswersMessages) {
  StandinTray tray({"a"}, {}, TrayOptions{.processProtected = true});
  ASSERT_TRUE(tray.running());
  DWORD processId = 0;
  GetWindowThreadProcessId(tray.window(), &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                               processId);
  EXPECT_EQ(process, nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  if (process) CloseHandle(process);
  EXPECT_EQ(tray.show({"a", "b"}), 2);
}

}  // namespace standin_tray
