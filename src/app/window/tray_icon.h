#pragma once
// The program's icon in the notification area and its pop-up menu "菜单"
// with the one item "退出". The shell reports the icon's mouse events to the
// owner window as kTrayIconMessage.
#include <windows.h>
#include <shellapi.h>

#include "text/text.h"

namespace quorvane {

class TrayIcon {
 public:
  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon();

  void add(HWND owner, HICON icon, const LocalText& tip);
  // After the shell restarts ("TaskbarCreated") the icon must be added again.
  void readd();
  // The image shown, renewed when the DPI changes; the shell keeps a copy.
  void setIcon(HICON icon);
  void remove();

  // Pops the menu up at the mouse position and returns the chosen command,
  // 0 when the user dismissed it.
  UINT popUpMenu();

 private:
  NOTIFYICONDATAW data_{};
  HMENU menuBar_ = nullptr;  // "菜单" as a top-level menu, never shown as a bar
};

}  // namespace quorvane
