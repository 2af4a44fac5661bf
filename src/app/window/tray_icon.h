#pragma once
// The program's icon in the notification area and its pop-up menu "菜单"
// with the items "设置…" and "退出". The shell reports the icon's mouse events to the
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

  // The image is the program icon at the notification area's DPI, which is
  // the taskbar's monitor's and may differ from the owner window's.
  void add(HWND owner, const LocalText& tip);
  // After the shell restarts ("TaskbarCreated", sent on DPI, remote-desktop
  // and monitor changes too) the icon must be added again, at the DPI the
  // notification area has now.
  void readd();
  // The image at the notification area's DPI now, when a DPI changed; the
  // shell keeps a copy.
  void renewImage();
  void remove();

  // Pops the menu up at the mouse position and returns the chosen command,
  // 0 when the user dismissed it.
  UINT popUpMenu();

 private:
  void loadImage();

  NOTIFYICONDATAW data_{};
  HICON image_ = nullptr;
  UINT imageDpi_ = 0;
  HMENU menuBar_ = nullptr;  // "菜单" as a top-level menu, never shown as a bar
};

}  // namespace quorvane
