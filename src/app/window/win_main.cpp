#include <windows.h>
#include <commctrl.h>

#include "app/window/com_apartment.h"
#include "app/window/main_window_impl.h"
#include "app/window/single_instance.h"

using quorvane::ComApartment;
using quorvane::MainWindowImpl;
using quorvane::SettingsFile;
using quorvane::SingleInstance;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  SingleInstance single;
  if (!single.owned()) {
    quorvane::bringRunningInstanceForward(MainWindowImpl::kWindowClass);
    return 0;
  }
  ComApartment com;
  SettingsFile settings = SettingsFile::ofThisProgram();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  MainWindowImpl::registerWindowClass(instance);
  std::unique_ptr<MainWindowImpl> window = MainWindowImpl::create(instance, &settings);
  if (!window) return 0;

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (window->translateKeyboardMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
