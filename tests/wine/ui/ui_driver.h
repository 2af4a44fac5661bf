#pragma once
// Drives Quorvane.exe from another process the way a user would: finds its
// windows and controls by class, caption and position, clicks, types,
// presses keys, reads texts and the result grid, waits with time-outs and
// saves screenshots. Every wait polls; none sleeps a fixed long time.
//
// The notification-area icon is reached by posting its callback message to
// the main window: kTrayIconMessage (WM_APP + 1), wParam kTrayIconId (1),
// lParam WM_LBUTTONUP (show the window) or WM_RBUTTONUP (pop up "菜单").
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvane::ui {

constexpr UINT kTrayIconMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;
constexpr DWORD kDefaultTimeoutMs = 10000;
// The notification-area icon's menu: "设置…", a separator, "退出".
constexpr int kSettingsMenuItem = 0;
constexpr int kExitMenuItem = 1;

// GBK (code page 936) bytes to wide text, whatever the ANSI code page.
std::wstring fromLocal(std::string_view gbk);

// Polls `condition` every few milliseconds until it holds or time runs out.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs);

struct LaunchOptions {
  // Variables added to (or replacing those of) the driver's own environment.
  std::vector<std::pair<std::wstring, std::wstring>> environment;
  // Files written beside the copied exe before it starts (name, bytes), e.g. data.txt.
  std::vector<std::pair<std::wstring, std::string>> files;
  // Wait for the main window to be shown before launch() returns.
  bool waitForMainWindow = true;
  // Another build of the program to run (a benchmark's baseline); empty:
  // this tree's Quorvane.exe.
  std::wstring program;
  // A folder that already holds Quorvane.exe (and whatever else the test
  // put there): the program runs from it as it is; `files` and `program`
  // are not used and the folder is not removed.
  std::wstring folder;
};

// One running Quorvane.exe, copied into a fresh folder of its own, whose
// name holds characters outside GBK (Korean, an emoji). Its per-user folder
// (LOCALAPPDATA) is one of its own too, unless the environment names one,
// so nothing a test leaves there reaches another. The destructor ends the
// process if it still runs and removes the folders it made.
class App {
 public:
  static std::unique_ptr<App> launch(const LaunchOptions& options = {});
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  DWORD processId() const { return processId_; }
  const std::wstring& folder() const { return folder_; }
  // The main window, found by its caption "QuorvaneV1.6"; null until it exists.
  HWND mainWindow() const;
  // A top-level window of this process by class and/or caption (empty = any).
  HWND topLevelWindow(std::wstring_view className, std::wstring_view caption = {}) const;
  bool running() const;
  // The exit code once the process has ended within the time-out.
  std::optional<DWORD> waitForExit(DWORD timeoutMs = kDefaultTimeoutMs) const;
  void kill();
  // A file beside the exe (e.g. data.txt); nothing when it is missing.
  std::optional<std::string> readFile(std::wstring_view name) const;
  // A file of the program's per-user folder, %LOCALAPPDATA%\Quorvane.
  std::optional<std::string> readPerUserFile(std::wstring_view name) const;
  const std::wstring& localAppData() const { return localAppData_; }

  void postTrayEvent(UINT mouseMessage) const;
  // Right-clicks the tray icon and waits for the pop-up menu window.
  HWND openTrayMenu() const;

 private:
  App() = default;
  static std::optional<std::string> readFileAt(const std::wstring& path);
  PROCESS_INFORMATION process_{};
  DWORD processId_ = 0;
  std::wstring folder_, localAppData_;
  bool ownsFolder_ = true, ownsLocalAppData_ = false;
};

std::wstring quorvaneExePath();
// The folder screenshots go to (in the build tree).
std::wstring shotsFolder();

// Windows and controls.
std::wstring className(HWND window);
std::wstring text(HWND window);  // WM_GETTEXT, so it reads another process's controls
// Position relative to the parent's client area (or the screen for top-level windows).
RECT positionInParent(HWND window);
bool sameRect(const RECT& a, int left, int top, int width, int height);
// Every descendant of `ancestor` with this class and caption (empty = any).
std::vector<HWND> findControls(HWND ancestor, std::wstring_view className, std::wstring_view caption);
HWND findControl(HWND ancestor, std::wstring_view className, std::wstring_view caption);
// The child of `parent` with this class at this position in the parent's client area.
HWND controlAt(HWND parent, std::wstring_view className, int left, int top);
// The same, with left and top each off by at most `tolerance` (the nearest such child).
HWND controlNear(HWND parent, std::wstring_view className, int left, int top, int tolerance);
bool isChecked(HWND checkBox);
bool isVisible(HWND window);

// Input, posted as the system would deliver it.
void click(HWND control);                        // left button down and up at its centre
void mouseMove(HWND window, int x = 2, int y = 2);
void pressKey(HWND control, UINT virtualKey);    // key down and up
void typeText(HWND control, std::wstring_view text);
// Returns once the thread of `window` has dispatched every message posted
// to it so far (each input helper below settles by itself). `posted` counts
// them, for windows without an edit box to probe with.
void settle(HWND window, int posted = 1);

// Chooses item `index` (from 0) of the open pop-up menu by the keyboard.
void chooseMenuItem(HWND menuWindow, int index);
// Chooses the item of the open pop-up menu whose access key is `letter`.
void pressMenuAccessKey(HWND menuWindow, wchar_t letter);

// What the main window's status bar says (its message part).
std::wstring statusText(HWND mainWindow);
// The status bar's parts, left to right: the message, the grid's view, the
// day's count of chats.
enum class StatusPart { Message, View, DailyCount };
std::wstring statusText(HWND mainWindow, StatusPart part);

// 关键词输入框: the edit box of the header's editable drop-down list (at
// 650, 19 at 96 DPI); typing, pasting and Enter go there.
HWND keywordBox(HWND mainWindow);
// The drop-down list itself (its items are the recent keywords).
HWND keywordList(HWND mainWindow);
// 组合框1, the credit list, in the header frame `header`.
HWND creditList(HWND header);

// A key pressed while modifier keys (VK_CONTROL, VK_SHIFT) are held: they
// are held in the keyboard state of the control's thread for the press, as
// the system holds them, so the program's GetKeyState sees them. F10, and
// any key with Alt (VK_MENU) held, goes as a system key.
void pressKeyWith(HWND control, std::initializer_list<UINT> modifiers, UINT virtualKey);
// Right button down and up at a point of the window's client area.
void rightClick(HWND window, POINT at);
// A pop-up menu (#32768) of process `processId` once it shows; null on time-out.
HWND waitForPopupMenu(DWORD processId, DWORD timeoutMs = kDefaultTimeoutMs);
// The clipboard's Unicode text; nothing when it holds none.
std::optional<std::wstring> clipboardText();
void emptyClipboard();

// The result grid (an owner-data list view) read and steered across
// processes. Rows count as in the program: row 0 is the title row, grid row
// r is list item r-1 (in a sorted or filtered view, the r-th line shown).
// Where the text in a cell lies: its distance in pixels from the cell's left
// and right edges.
struct CellInk {
  int fromLeft;
  int fromRight;
};

class RemoteGrid {
 public:
  explicit RemoteGrid(HWND listView);
  ~RemoteGrid();
  RemoteGrid(const RemoteGrid&) = delete;
  RemoteGrid& operator=(const RemoteGrid&) = delete;

  HWND handle() const { return list_; }
  int rowCount() const;  // including the title row
  int columnCount() const;
  std::wstring title(int column) const;
  int columnWidth(int column) const;
  bool titleCentred(int column) const;
  int rowHeight() const;
  std::wstring cell(int row, int column) const;
  bool ticked(int row) const;  // column 0 shows image 1 when ticked
  std::vector<int> selectedRows() const;
  void select(int firstRow, int lastRow);  // replaces the selection
  void clearSelection();
  // The colour on screen a few pixels inside a cell, right of its text.
  COLORREF pixelInCell(int row, int column) const;
  // Whether the cell comes to show `colour` within a few seconds: the list
  // paints when its thread is idle and the screen shows it later still, so a
  // change just made is not on the screen yet.
  bool cellComesToShow(int row, int column, COLORREF colour) const;
  // The middle of a cell, in the list's client coordinates.
  POINT pointInCell(int row, int column) const;
  // The middle of a row's tick box (the image in column 0), likewise.
  POINT pointInTickBox(int row) const;
  int focusedRow() const;  // -1 when no row has the focus
  // A click on a column's title (the grid sorts by it).
  void clickTitle(int column) const;
  // Where the text drawn on screen in a cell or a title lies; nothing when
  // no text shows there.
  std::optional<CellInk> cellInk(int row, int column) const;
  std::optional<CellInk> titleInk(int column) const;

 private:
  bool sendWithRemote(UINT message, WPARAM wParam, const void* in, size_t inSize, void* out,
                      size_t outSize, LRESULT* result = nullptr) const;
  bool sendWithRemote(HWND target, UINT message, WPARAM wParam, const void* in, size_t inSize, void* out,
                      size_t outSize, LRESULT* result = nullptr) const;
  static std::optional<CellInk> inkWithin(HWND window, RECT box);
  HWND list_;
  HANDLE process_ = nullptr;
  void* remote_ = nullptr;
};

// A screenshot of the whole screen as a BMP file under shotsFolder().
bool saveScreenshot(std::wstring_view name);

}  // namespace quorvane::ui
