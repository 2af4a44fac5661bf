// Takes the user guide's screenshots: drives Quorvane.exe as a user would
// and saves the screen at each step (guide-*.bmp under the shots folder).
// For each shot it notes the screen rectangle worth keeping, "name left top
// right bottom", in guide-shots.txt there, written whole at the end, for the
// script that crops and converts them.
#include <cstdio>
#include <sstream>
#include <string>

#include "ui_driver.h"

using namespace quorvane::ui;

namespace {

RECT windowRect(HWND window) {
  RECT box{};
  GetWindowRect(window, &box);
  return box;
}

RECT unite(RECT a, RECT b) {
  RECT both{};
  UnionRect(&both, &a, &b);
  return both;
}

std::ostringstream kept;

void shoot(const char* name, RECT keep) {
  Sleep(400);  // let the last paint reach the screen
  saveScreenshot(std::wstring(name, name + std::char_traits<char>::length(name)));
  kept << name << ' ' << keep.left << ' ' << keep.top << ' ' << keep.right << ' ' << keep.bottom << '\n';
}

int finish(int status) {
  kept << "end " << status << '\n';
  const std::string list = kept.str();
  HANDLE file = CreateFileW((shotsFolder() + L"\\guide-shots.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            0, nullptr);
  DWORD written = 0;
  WriteFile(file, list.data(), static_cast<DWORD>(list.size()), &written, nullptr);
  CloseHandle(file);
  return status;
}

HWND visibleTooltipOf(DWORD processId) {
  for (HWND w = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); w;
       w = FindWindowExW(nullptr, w, L"tooltips_class32", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

}  // namespace

int wmain() {
  auto app = App::launch();
  if (!app) return finish(1);
  HWND window = app->mainWindow();
  HWND header = controlAt(window, L"Button", -4, 1);
  const RECT whole = windowRect(window);
  shoot("guide-start", whole);

  // The region panel, two provinces ticked.
  click(findControl(window, L"Static", fromLocal("\xD1\xA1\xD4\xF1\xB5\xD8\xC7\xF8(R)")));  // 选择地区(R)
  HWND panel = findControl(window, L"QuorvaneRegionPanel", L"");
  waitUntil([&] { return positionInParent(panel).right <= 1221 - 10; });
  for (const char* province : {"\xB0\xB2\xBB\xD5", "\xD5\xE3\xBD\xAD"})  // 安徽 浙江
    click(findControl(window, L"Button", fromLocal(province)));
  Sleep(1500);  // the panel slides to its place
  shoot("guide-regions", whole);

  // A search for 连衣裙 up to 0-2心, from the panel's own button.
  typeText(keywordBox(window), fromLocal("\xC1\xAC\xD2\xC2\xC8\xB9"));
  SendMessageW(controlAt(header, L"ComboBox", 92, 20), CB_SETCURSEL, 2, 0);
  HWND search = findControl(header, L"Button", fromLocal("\xCB\xD1\xCB\xF7"));  // 搜索
  click(findControl(window, L"Button", fromLocal("\xBF\xAA\xCA\xBC\xCB\xD1\xCB\xF7")));  // 开始搜索
  waitUntil([&] { return !IsWindowEnabled(search); });
  if (!waitUntil([&] { return IsWindowEnabled(search) != FALSE; }, 120000)) return finish(1);
  Sleep(1500);  // the panel slides out
  HWND list = findControl(window, L"SysListView32", L"");
  RemoteGrid grid(list);
  grid.select(3, 3);
  shoot("guide-results", whole);

  // The progress tooltip, as the mouse rests on 搜索结果.
  HWND label = controlAt(window, L"Static", 444, 660);
  RECT labelBox = windowRect(label);
  POINT middle{(labelBox.left + labelBox.right) / 2, (labelBox.top + labelBox.bottom) / 2};
  SetCursorPos(middle.x, middle.y);
  ScreenToClient(window, &middle);  // the label lets the mouse through to the window
  mouseMove(window, middle.x, middle.y);
  HWND tip = nullptr;
  waitUntil([&] { return (tip = visibleTooltipOf(app->processId())) != nullptr; }, 5000);
  RECT around{whole.left, labelBox.top - 60, whole.right, labelBox.bottom + 10};
  shoot("guide-tooltip", tip ? unite(around, windowRect(tip)) : around);

  // The grid's menu on four selected rows.
  // The menu opens where the mouse is; the posted click does not move it.
  grid.select(2, 5);
  POINT cell = grid.pointInCell(4, 1), onScreen = cell;
  ClientToScreen(list, &onScreen);
  SetCursorPos(onScreen.x, onScreen.y);
  rightClick(list, cell);
  HWND menu = waitForPopupMenu(app->processId());
  if (!menu) return finish(1);
  shoot("guide-menu", unite(whole, windowRect(menu)));

  // 设置 from the same menu: the contact pace.
  pressMenuAccessKey(menu, L'p');
  HWND settings = nullptr;
  if (!waitUntil([&] { return (settings = app->topLevelWindow(L"#32770", L"\u8BBE\u7F6E")) != nullptr; }, 5000))
    return finish(1);
  Sleep(500);
  shoot("guide-settings", windowRect(settings));
  PostMessageW(settings, WM_COMMAND, IDCANCEL, 0);
  waitUntil([&] { return !IsWindow(settings); });
  return finish(0);
}
