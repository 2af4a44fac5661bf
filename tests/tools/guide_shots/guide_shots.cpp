// Takes the pictures of the user guide and the README: drives Quorvane.exe as
// a user would and saves the screen at each step (BMP files under the shots
// folder). For each picture it notes "path left top right bottom" in
// guide-shots.txt there: where the picture goes, from the repository's top,
// and the screen rectangle worth keeping. The list is written whole at the
// end, for scripts/guide-shots.sh, which crops and converts.
//
//   guide_shots.exe        the guide's pictures and the README's main ones:
//                          a notification area with the IM client's icons,
//                          a search, a contact round, the menus, dialogs
//                          and windows
//   guide_shots.exe PATH   the window after a search, as PATH (the README's
//                          pictures at other DPIs and screen sizes)
//
// Wine's own taskbar draws the icons: the stand-in notification area, which
// the program reads, hands every icon on to it.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "standin_tray_client.h"
#include "ui_driver.h"

using namespace quorvane::ui;

namespace {

// The IM client's icons, one per logged-in account: "千牛 - 晴川服饰",
// "千牛 - 晴川服饰:小美" (a shop's sub-account).
const char* const kClientTips[] = {"\xC7\xA7\xC5\xA3 - \xC7\xE7\xB4\xA8\xB7\xFE\xCA\xCE",
                                   "\xC7\xA7\xC5\xA3 - \xC7\xE7\xB4\xA8\xB7\xFE\xCA\xCE:\xD0\xA1\xC3\xC0"};
// Sellers contacted on an earlier day: 木子李原创, 徽韵旗袍.
constexpr char kEarlierContacts[] = "\xC4\xBE\xD7\xD3\xC0\xEE\xD4\xAD\xB4\xB4\r\n\xBB\xD5\xD4\xCF\xC6\xEC\xC5\xDB\r\n";
// Ids pasted into the batch window: 小雅女装2016, 花间集2019, 云裳阁, 小桥流水.
constexpr char kBatchIds[] =
    "\xD0\xA1\xD1\xC5\xC5\xAE\xD7\xB0" "2016\r\n\xBB\xA8\xBC\xE4\xBC\xAF" "2019\r\n\xD4\xC6\xC9\xD1\xB8\xF3\r\n"
    "\xD0\xA1\xC7\xC5\xC1\xF7\xCB\xAE";
constexpr char kKeyword[] = "\xC1\xAC\xD2\xC2\xC8\xB9";                          // 连衣裙
constexpr char kRegionLink[] = "\xD1\xA1\xD4\xF1\xB5\xD8\xC7\xF8(R)";            // 选择地区(R)
constexpr char kStartSearch[] = "\xBF\xAA\xCA\xBC\xCB\xD1\xCB\xF7";              // 开始搜索
constexpr char kSearch[] = "\xCB\xD1\xCB\xF7";                                   // 搜索
constexpr char kContactTicked[] = "\xC1\xAA\xCF\xB5\xD1\xA1\xD6\xD0";            // 联系选中
constexpr char kBatchContact[] = "\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5";             // 批量联系
constexpr char kContact[] = "\xC1\xAA\xCF\xB5";                                  // 联系
constexpr char kExportTitle[] = "\xB5\xBC\xB3\xF6\xC8\xAB\xB2\xBF\xBD\xE1\xB9\xFB";  // 导出全部结果
constexpr char kSettingsTitle[] = "\xC9\xE8\xD6\xC3";                                 // 设置
constexpr char kAccountsFound[] = "\xD5\xD2\xB5\xBD ";                           // "找到 "
constexpr char kChatsOpened[] = "\xD2\xD1\xB4\xF2\xBF\xAA ";                     // "已打开 "
constexpr char kBatchDone[] = "\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5\xA3\xBA";        // 批量联系：
const char* const kProvinces[] = {"\xB0\xB2\xBB\xD5", "\xD5\xE3\xBD\xAD"};      // 安徽 浙江
constexpr int kCreditUpTo2 = 2;                                                  // 0-2心

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

RECT screenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

bool statusStartsWith(HWND window, const char* prefix) { return statusText(window).rfind(fromLocal(prefix), 0) == 0; }

std::ostringstream kept;

// Where a run got to, in guide-shots.log beside the pictures: a run that
// stops short names its last step.
void step(const char* what) {
  HANDLE file = CreateFileW((shotsFolder() + L"\\guide-shots.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                            nullptr, OPEN_ALWAYS, 0, nullptr);
  const std::string line = std::string(what) + "\r\n";
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

// `path` from the repository's top; the screenshot is named after its file.
void shoot(const std::string& path, RECT keep) {
  step(path.c_str());
  Sleep(500);  // let the last paint reach the screen
  const size_t slash = path.find_last_of('/'), dot = path.rfind('.');
  const std::string name = path.substr(slash + 1, dot - slash - 1);
  saveScreenshot(std::wstring(name.begin(), name.end()));
  kept << path << ' ' << keep.left << ' ' << keep.top << ' ' << keep.right << ' ' << keep.bottom << '\n';
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

// Rests the mouse on a point of `window` (client coordinates) and waits for a
// tooltip of the window's process; null when none shows.
HWND tooltipAt(HWND window, POINT at) {
  POINT onScreen = at;
  ClientToScreen(window, &onScreen);
  SetCursorPos(onScreen.x, onScreen.y);
  PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  HWND tip = nullptr;
  waitUntil([&] { return (tip = visibleTooltipOf(owner)) != nullptr; }, 5000);
  return tip;
}

void moveMouseAway() { SetCursorPos(screenRect().right - 1, 0); }

// The IM client's notification-area icons, as a logged-in client shows them:
// a round blue mark, a tip that names the account.
class ClientIcons {
 public:
  explicit ClientIcons(std::vector<std::string> tips) {
    window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    image_ = drawImage();
    UINT id = 1;
    for (const std::string& tip : tips) {
      NOTIFYICONDATAW icon{};
      icon.cbSize = sizeof icon;
      icon.hWnd = window_;
      icon.uID = id++;
      icon.uFlags = NIF_ICON | NIF_TIP;
      icon.hIcon = image_;
      const std::wstring wide = fromLocal(tip);
      wide.copy(icon.szTip, std::size(icon.szTip) - 1);
      Shell_NotifyIconW(NIM_ADD, &icon);
      icons_.push_back(icon);
    }
  }
  ~ClientIcons() {
    for (NOTIFYICONDATAW& icon : icons_) Shell_NotifyIconW(NIM_DELETE, &icon);
    DestroyIcon(image_);
    DestroyWindow(window_);
  }
  ClientIcons(const ClientIcons&) = delete;
  ClientIcons& operator=(const ClientIcons&) = delete;

 private:
  static HICON drawImage() {
    const int size = GetSystemMetrics(SM_CXSMICON);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr), colour = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ before = SelectObject(dc, mask);
    SelectObject(dc, GetStockObject(NULL_PEN));
    PatBlt(dc, 0, 0, size, size, WHITENESS);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Ellipse(dc, 0, 0, size + 1, size + 1);
    SelectObject(dc, colour);
    PatBlt(dc, 0, 0, size, size, BLACKNESS);
    HBRUSH blue = CreateSolidBrush(RGB(24, 112, 232));
    SelectObject(dc, blue);
    Ellipse(dc, 0, 0, size + 1, size + 1);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    RoundRect(dc, size / 4, size / 4, size - size / 4 + 1, size - size / 3 + 1, size / 4, size / 4);
    SelectObject(dc, before);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(blue);
    DeleteObject(mask);
    DeleteObject(colour);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return icon;
  }

  HWND window_ = nullptr;
  HICON image_ = nullptr;
  std::vector<NOTIFYICONDATAW> icons_;
};

// Wine's own taskbar: the Shell_TrayWnd that is not the stand-in's.
HWND wineTaskbar(HWND standin) {
  for (HWND w = FindWindowExW(nullptr, nullptr, L"Shell_TrayWnd", nullptr); w;
       w = FindWindowExW(nullptr, w, L"Shell_TrayWnd", nullptr))
    if (w != standin && IsWindowVisible(w)) return w;
  return nullptr;
}

// A figure of the layout (at 96 DPI) at the screen's DPI.
int scaled(int figure) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return MulDiv(figure, dpi, 96);
}

// The control the layout puts at (left, top) of its parent, at any DPI.
HWND placed(HWND parent, const wchar_t* className, int left, int top) {
  return controlNear(parent, className, scaled(left), scaled(top), scaled(4));
}

struct Window {
  HWND main;
  HWND header;
  HWND grid;
};

Window partsOf(const App& app) {
  HWND main = app.mainWindow();
  return {main, placed(main, L"Button", -4, 1), findControl(main, L"SysListView32", L"")};
}

HWND accountList(HWND main) { return placed(main, L"ComboBox", 92, 658); }

// The region panel slid in, two provinces ticked.
void tickProvinces(const Window& w) {
  click(findControl(w.main, L"Static", fromLocal(kRegionLink)));
  HWND panel = findControl(w.main, L"QuorvaneRegionPanel", L"");
  waitUntil([&] { return positionInParent(panel).left < positionInParent(w.grid).right - 100; });
  for (const char* province : kProvinces) click(findControl(w.main, L"Button", fromLocal(province)));
  Sleep(1500);  // the panel slides to its place
}

// A search for 连衣裙 up to 0-2心, from the panel's own button.
bool search(const Window& w) {
  typeText(keywordBox(w.main), fromLocal(kKeyword));
  SendMessageW(creditList(w.header), CB_SETCURSEL, kCreditUpTo2, 0);
  HWND searchButton = findControl(w.header, L"Button", fromLocal(kSearch));
  click(findControl(w.main, L"Button", fromLocal(kStartSearch)));
  waitUntil([&] { return !IsWindowEnabled(searchButton); });
  if (!waitUntil([&] { return IsWindowEnabled(searchButton) != FALSE; }, 120000)) return false;
  Sleep(1500);  // the panel slides out
  return true;
}

// The account list dropped down, and the mouse on the client's first icon in
// the taskbar: the bottom of the window and the taskbar in one picture.
void shootAccounts(const Window& w, HWND taskbar) {
  HWND list = accountList(w.main);
  RECT taskbarBox = windowRect(taskbar);
  // Wine's taskbar puts its icons at its right end, the first one added first.
  const int icon = GetSystemMetrics(SM_CXSMICON) + 4;
  HWND tip = nullptr;
  for (int slot = 1; slot <= 4 && !tip; ++slot)
    tip = tooltipAt(taskbar, {taskbarBox.right - taskbarBox.left - icon * slot + icon / 2,
                              (taskbarBox.bottom - taskbarBox.top) / 2});
  SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
  const RECT whole = windowRect(w.main), listBox = windowRect(list);
  shoot("docs/guide/guide-accounts.png", {whole.left, listBox.top - 24, screenRect().right, screenRect().bottom});
  SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
  moveMouseAway();
}

// The tooltip of 项目数 once the search is over.
void shootSearchTooltip(const App& app, const Window& w) {
  HWND label = placed(w.main, L"Static", 444, 660);
  RECT labelBox = windowRect(label);
  POINT middle{(labelBox.left + labelBox.right) / 2, (labelBox.top + labelBox.bottom) / 2};
  SetCursorPos(middle.x, middle.y);
  ScreenToClient(w.main, &middle);  // the label lets the mouse through to the window
  mouseMove(w.main, middle.x, middle.y);
  HWND tip = nullptr;
  waitUntil([&] { return (tip = visibleTooltipOf(app.processId())) != nullptr; }, 5000);
  const RECT whole = windowRect(w.main);
  RECT around{whole.left, labelBox.top - 60, whole.right, whole.bottom};
  shoot("docs/guide/guide-tooltip.png", tip ? unite(around, windowRect(tip)) : around);
  moveMouseAway();
  mouseMove(w.main, 2, 2);
}

// The space bar on the first twelve rows ticks the online sellers not yet
// contacted among them; 联系选中 opens their chats and greys their rows.
bool contactRound(const Window& w, RemoteGrid& grid) {
  grid.select(1, 12);
  pressKey(w.grid, VK_SPACE);
  click(findControl(w.main, L"Button", fromLocal(kContactTicked)));
  return waitUntil([&] { return statusStartsWith(w.main, kChatsOpened); }, 30000);
}

// A few rows ticked for the next round, one row chosen with the mouse.
void tickAndChoose(const Window& w, RemoteGrid& grid) {
  grid.select(26, 30);
  pressKey(w.grid, VK_SPACE);
  const POINT cell = grid.pointInCell(18, 2);
  PostMessageW(w.grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
  PostMessageW(w.grid, WM_LBUTTONUP, 0, MAKELPARAM(cell.x, cell.y));
  settle(w.grid, 2);
}

// The grid's menu on four highlighted rows, while other rows are ticked.
HWND openGridMenu(const App& app, const Window& w, RemoteGrid& grid) {
  grid.select(2, 5);
  POINT cell = grid.pointInCell(4, 1), onScreen = cell;
  ClientToScreen(w.grid, &onScreen);
  SetCursorPos(onScreen.x, onScreen.y);  // the menu opens where the mouse is; the posted click does not move it
  rightClick(w.grid, cell);
  return waitForPopupMenu(app.processId());
}

void closeMenu(HWND menu) {
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  waitUntil([&] { return !IsWindowVisible(menu); });
}

// A dialog a grid menu item opens (by its access key), shot as `path` and
// cancelled: 导出全部结果… (the Save dialog with its proposed name and its
// choice of rows) and 设置… (the contact pace).
bool shootMenuDialog(const App& app, const Window& w, RemoteGrid& grid, wchar_t key, const char* title,
                     const std::string& path) {
  HWND menu = openGridMenu(app, w, grid);
  if (!menu) return false;
  pressMenuAccessKey(menu, key);
  HWND dialog = nullptr;
  waitUntil([&] { return (dialog = app.topLevelWindow(L"#32770", fromLocal(title))) && IsWindowVisible(dialog); });
  if (!dialog) return false;
  Sleep(1000);  // a Save dialog's folder list fills in
  shoot(path, windowRect(dialog));
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  return waitUntil([&] { return !IsWindow(dialog); });
}

// 批量联系: ids pasted, 联系 pressed; the main window's status bar reports.
bool shootBatchWindow(const App& app, const Window& w) {
  click(findControl(w.main, L"Button", fromLocal(kBatchContact)));
  HWND batch = nullptr;
  waitUntil([&] { return (batch = app.topLevelWindow(L"QuorvaneBatchIdWindow")) && IsWindowVisible(batch); });
  if (!batch) return false;
  // Side by side, as a user would move them: the batch window at the left,
  // the main window at the right with its status bar in view.
  const RECT main = windowRect(w.main), screen = screenRect();
  SetWindowPos(w.main, nullptr, screen.right - (main.right - main.left), main.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(batch, HWND_TOP, 0, main.top, 0, 0, SWP_NOSIZE);
  SendMessageW(findControl(batch, L"Edit", L""), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(fromLocal(kBatchIds).c_str()));
  click(findControl(batch, L"Button", fromLocal(kContact)));
  if (!waitUntil([&] { return statusStartsWith(w.main, kBatchDone); }, 30000)) return false;
  shoot("docs/guide/guide-batch.png", unite(windowRect(w.main), windowRect(batch)));
  return true;
}

std::string utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
  return bytes;
}

// Settings as a user's would be after an earlier export: the Save dialog
// opens in a folder of the user's documents (文档\店铺导出), not in the
// test's own folder.
std::string settingsWithExportFolder() {
  wchar_t documents[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents);
  const std::wstring folder = std::wstring(documents) + L"\\" + fromLocal("\xB5\xEA\xC6\xCC\xB5\xBC\xB3\xF6");  // 店铺导出
  CreateDirectoryW(folder.c_str(), nullptr);
  return "\xEF\xBB\xBF[Export]\r\nFolder=" + utf8(folder) + "\r\n";
}

int guideAndReadmePictures() {
  standin_tray::TrayOptions forwarded;
  forwarded.forwardToShell = true;
  step("the stand-in notification area");
  standin_tray::StandinTray tray({}, {}, forwarded);
  if (!tray.running()) return finish(1);
  ClientIcons client({std::begin(kClientTips), std::end(kClientTips)});
  LaunchOptions options;
  options.files = {{L"data.txt", kEarlierContacts}, {L"Quorvane.ini", settingsWithExportFolder()}};
  step("Quorvane.exe");
  auto app = App::launch(options);
  if (!app) return finish(1);
  const Window w = partsOf(*app);
  step("the accounts");
  if (!waitUntil([&] { return statusStartsWith(w.main, kAccountsFound); })) return finish(1);
  const RECT whole = windowRect(w.main);
  shoot("docs/guide/guide-start.png", whole);
  HWND taskbar = wineTaskbar(tray.window());
  if (!taskbar) return finish(1);
  shootAccounts(w, taskbar);

  tickProvinces(w);
  shoot("docs/guide/guide-regions.png", whole);
  shoot("docs/region-panel.png", whole);

  step("a search");
  if (!search(w)) return finish(1);
  shootSearchTooltip(*app, w);
  RemoteGrid grid(w.grid);
  step("a contact round");
  if (!contactRound(w, grid)) return finish(1);
  tickAndChoose(w, grid);
  shoot("docs/guide/guide-results.png", whole);
  shoot("docs/main-window.png", whole);

  HWND menu = openGridMenu(*app, w, grid);
  if (!menu) return finish(1);
  shoot("docs/guide/guide-menu.png", unite(whole, windowRect(menu)));
  closeMenu(menu);
  if (!shootMenuDialog(*app, w, grid, L'E', kExportTitle, "docs/guide/guide-save.png")) return finish(1);
  if (!shootMenuDialog(*app, w, grid, L'P', kSettingsTitle, "docs/guide/guide-settings.png")) return finish(1);
  if (!shootBatchWindow(*app, w)) return finish(1);
  return finish(0);
}

// The window after a search, at this screen's size and DPI.
int windowAfterSearch(const std::string& path) {
  step("Quorvane.exe");
  auto app = App::launch();
  if (!app) return finish(1);
  const Window w = partsOf(*app);
  tickProvinces(w);
  step("a search");
  if (!search(w)) {
    saveScreenshot(L"guide-failed");
    return finish(1);
  }
  shoot(path, windowRect(w.main));
  return finish(0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1) {
    const std::wstring path = argv[1];
    return windowAfterSearch(std::string(path.begin(), path.end()));
  }
  return guideAndReadmePictures();
}
