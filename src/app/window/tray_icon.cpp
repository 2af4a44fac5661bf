#include "app/window/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "app/window/program_icon.h"
#include "app/window/window_dpi.h"
#include "app/window/window_text.h"
#include "app/window/window_messages.h"

namespace quorvane {

namespace {
constexpr char kMenuCaption[] = "\xB2\xCB\xB5\xA5";  // "菜单"
constexpr char kExitCaption[] = "\xCD\xCB\xB3\xF6";  // "退出"
constexpr char kSettingsCaption[] = "\xC9\xE8\xD6\xC3\xA1\xAD";  // "设置…"

HMENU createMenuBar() {
  HMENU bar = CreateMenu();
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, kSettingsCommand, toWide(kSettingsCaption).c_str());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kExitCommand, toWide(kExitCaption).c_str());
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), toWide(kMenuCaption).c_str());
  return bar;
}
}  // namespace

TrayIcon::~TrayIcon() {
  remove();
  if (menuBar_) DestroyMenu(menuBar_);
  if (image_) DestroyIcon(image_);
}

void TrayIcon::add(HWND owner, const LocalText& tip) {
  data_.cbSize = sizeof(data_);
  data_.hWnd = owner;
  data_.uID = kTrayIconId;
  data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data_.uCallbackMessage = kTrayIconMessage;
  loadImage();
  std::wstring wideTip = toWide(tip);
  wideTip.resize(std::min(wideTip.size(), std::size(data_.szTip) - 1));
  std::copy(wideTip.begin(), wideTip.end(), data_.szTip);
  data_.szTip[wideTip.size()] = L'\0';
  if (!menuBar_) menuBar_ = createMenuBar();
  Shell_NotifyIconW(NIM_ADD, &data_);
}

void TrayIcon::readd() {
  if (!data_.hWnd) return;
  loadImage();
  Shell_NotifyIconW(NIM_ADD, &data_);
}

void TrayIcon::renewImage() {
  if (!data_.hWnd) return;
  const UINT before = imageDpi_;
  loadImage();
  if (imageDpi_ == before) return;
  NOTIFYICONDATAW change = data_;
  change.uFlags = NIF_ICON;
  Shell_NotifyIconW(NIM_MODIFY, &change);
}

void TrayIcon::loadImage() {
  const UINT dpi = notificationAreaDpi();
  if (image_ && dpi == imageDpi_) return;
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(data_.hWnd, GWLP_HINSTANCE));
  HICON image = loadProgramIcon(instance, IconSize::Small, dpi);
  if (!image) return;
  if (image_) DestroyIcon(image_);
  image_ = image;
  imageDpi_ = dpi;
  data_.hIcon = image_;
}

void TrayIcon::remove() {
  if (!data_.hWnd) return;
  Shell_NotifyIconW(NIM_DELETE, &data_);
  data_.hWnd = nullptr;
}

UINT TrayIcon::popUpMenu() {
  if (!data_.hWnd || !menuBar_) return 0;
  POINT at{};
  GetCursorPos(&at);
  // Without the foreground the menu would not close when the user clicks
  // elsewhere; the null message afterwards lets a second click work at once.
  SetForegroundWindow(data_.hWnd);
  UINT command = static_cast<UINT>(
      TrackPopupMenu(GetSubMenu(menuBar_, 0), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                     at.x, at.y, 0, data_.hWnd, nullptr));
  PostMessageW(data_.hWnd, WM_NULL, 0, 0);
  return command;
}

}  // namespace quorvane
