#include "app/window/window_dpi.h"

namespace quorvane {

namespace {

struct DpiCalls {
  UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
  UINT(WINAPI* dpiForSystem)() = nullptr;
  int(WINAPI* systemMetricsForDpi)(int, UINT) = nullptr;
  BOOL(WINAPI* enableNonClientDpiScaling)(HWND) = nullptr;
  BOOL(WINAPI* adjustWindowRectForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
  HRESULT(WINAPI* dpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;  // shcore, Windows 8.1
};

template <typename Function>
void resolve(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const DpiCalls& dpiCalls() {
  static const DpiCalls calls = [] {
    DpiCalls found;
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
      resolve(user32, "GetDpiForWindow", found.dpiForWindow);
      resolve(user32, "GetDpiForSystem", found.dpiForSystem);
      resolve(user32, "GetSystemMetricsForDpi", found.systemMetricsForDpi);
      resolve(user32, "EnableNonClientDpiScaling", found.enableNonClientDpiScaling);
      resolve(user32, "AdjustWindowRectExForDpi", found.adjustWindowRectForDpi);
    }
    // From the system folder only, never from beside the program.
    if (HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
      resolve(shcore, "GetDpiForMonitor", found.dpiForMonitor);
    return found;
  }();
  return calls;
}

UINT screenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : DpiScale::kDesignDpi;
}

}  // namespace

UINT systemDpi() {
  const DpiCalls& calls = dpiCalls();
  UINT dpi = calls.dpiForSystem ? calls.dpiForSystem() : 0;
  return dpi ? dpi : screenDpi();
}

UINT dpiOfWindow(HWND window) {
  const DpiCalls& calls = dpiCalls();
  UINT dpi = calls.dpiForWindow && window ? calls.dpiForWindow(window) : 0;
  return dpi ? dpi : systemDpi();
}

UINT notificationAreaDpi() {
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  if (!taskbar) return systemDpi();
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  UINT dpiX = 0, dpiY = 0;
  if (const auto forMonitor = dpiCalls().dpiForMonitor;
      forMonitor && SUCCEEDED(forMonitor(MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY), kEffectiveDpi, &dpiX,
                                         &dpiY)) &&
      dpiX)
    return dpiX;
  return dpiOfWindow(taskbar);
}

int systemMetricAtDpi(int index, UINT dpi) {
  const DpiCalls& calls = dpiCalls();
  if (calls.systemMetricsForDpi) return calls.systemMetricsForDpi(index, dpi);
  return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(systemDpi()));
}

SIZE frameSizeAtDpi(HWND window, UINT dpi) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const BOOL menuBar = (style & WS_CHILD) == 0 && GetMenu(window) != nullptr;
  RECT box{0, 0, 0, 0};
  if (const auto adjust = dpiCalls().adjustWindowRectForDpi; !adjust || !adjust(&box, style, menuBar, exStyle, dpi))
    AdjustWindowRectEx(&box, style, menuBar, exStyle);
  return {box.right - box.left, box.bottom - box.top};
}

void scaleNonClientArea(HWND window) {
  if (const auto enable = dpiCalls().enableNonClientDpiScaling) enable(window);
}

}  // namespace quorvane
