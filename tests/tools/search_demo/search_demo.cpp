// Runs one search in Quorvane.exe as a user would, for the demo: ticks three
// provinces, types a keyword, picks "0-2心", presses 搜索, waits for the end
// and saves a screenshot (search_demo.bmp under the shots folder).
#include <cstdio>

#include "ui_driver.h"

using namespace quorvane::ui;

int wmain() {
  auto app = App::launch();
  if (!app) return 1;
  HWND window = app->mainWindow();
  HWND header = controlAt(window, L"Button", -4, 1);
  for (const char* province : {"\xB0\xB2\xBB\xD5", "\xD5\xE3\xBD\xAD", "\xB9\xE3\xB6\xAB"})  // 安徽 浙江 广东
    click(findControl(window, L"Button", fromLocal(province)));
  typeText(keywordBox(window), fromLocal("\xC1\xAC\xD2\xC2\xC8\xB9"));  // 连衣裙
  SendMessageW(controlAt(header, L"ComboBox", 92, 20), CB_SETCURSEL, 2, 0);
  HWND search = findControl(header, L"Button", fromLocal("\xCB\xD1\xCB\xF7"));  // 搜索
  click(search);
  bool ended = waitUntil([&] { return IsWindowEnabled(search) != FALSE; }, 120000);
  HWND label = controlAt(window, L"Static", 444, 660);
  std::wprintf(L"search %ls: %ls\n", ended ? L"ended" : L"still running", text(label).c_str());
  saveScreenshot(L"search_demo");
  return ended ? 0 : 1;
}
