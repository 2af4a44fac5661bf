#include "app/window/grid_context_menu.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <filesystem>

#include "app/csv_export.h"
#include "app/export_file_name.h"
#include "app/grid_copy.h"
#include "app/window/clipboard_text.h"
#include "app/window/export_dialog.h"
#include "app/window/window_text.h"
#include "platform/files.h"

namespace quorvane {
namespace {

constexpr UINT_PTR kSubclassId = 2;  // the grid's key subclass is 0

// Each with its access key, the way Windows menus write one in Chinese: the
// letter in brackets after the text (in 旺旺ID its own I).
constexpr char kCopySellerIdsText[] = "\xB8\xB4\xD6\xC6\xCD\xFA\xCD\xFA&ID";                  // 复制旺旺&ID
constexpr char kCopyRowsText[] = "\xB8\xB4\xD6\xC6\xD1\xA1\xD6\xD0\xD0\xD0(&C)\tCtrl+C";       // 复制选中行(&C)	Ctrl+C
constexpr char kExportAllText[] = "\xB5\xBC\xB3\xF6\xC8\xAB\xB2\xBF\xBD\xE1\xB9\xFB(&E)\xA1\xAD";  // 导出全部结果(&E)…
constexpr char kExportTickedText[] = "\xB5\xBC\xB3\xF6\xD1\xA1\xD6\xD0\xD0\xD0(&S)\xA1\xAD";  // 导出选中行(&S)…
constexpr char kOpenExportFolderText[] = "\xB4\xF2\xBF\xAA\xB5\xBC\xB3\xF6\xCE\xC4\xBC\xFE\xBC\xD0(&F)";  // 打开导出文件夹(&F)
constexpr char kOpenShopText[] = "\xB4\xF2\xBF\xAA\xB5\xEA\xC6\xCC(&O)";                     // 打开店铺(&O)
constexpr char kWorthContactingText[] =
    "\xD6\xBB\xCF\xD4\xCA\xBE\xD4\xDA\xCF\xDF\xC7\xD2\xCE\xB4\xC1\xAA\xCF\xB5(&V)";  // 只显示在线且未联系(&V)
constexpr char kSettingsText[] = "\xC9\xE8\xD6\xC3(&P)\xA1\xAD";                             // 设置(&P)…
constexpr char kCannotWrite[] = "\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xCE\xC4\xBC\xFE\xA3\xBA";   // 无法写入文件：
constexpr char kExportAllTitle[] = "\xB5\xBC\xB3\xF6\xC8\xAB\xB2\xBF\xBD\xE1\xB9\xFB";      // 导出全部结果
constexpr char kExportTickedTitle[] = "\xB5\xBC\xB3\xF6\xD1\xA1\xD6\xD0\xD0\xD0";             // 导出选中行

bool keyDown(int key) { return GetKeyState(key) < 0; }

// WM_CONTEXTMENU's position when the keyboard asked for the menu: (-1, -1).
constexpr LPARAM kFromKeyboard = static_cast<LPARAM>(-1);

void appendItem(HMENU menu, UINT command, const char* text, bool enabled, bool checked = false) {
  AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED) | (checked ? MF_CHECKED : MF_UNCHECKED), command,
              toWide(text).c_str());
}

CalendarDate today() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

}  // namespace

void GridContextMenu::attach(HWND listView, HWND owner, Actions actions) {
  list_ = listView;
  owner_ = owner;
  actions_ = std::move(actions);
  SetWindowSubclass(list_, listProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void GridContextMenu::detach() {
  if (!list_) return;
  RemoveWindowSubclass(list_, listProc, kSubclassId);
  list_ = nullptr;
}

LRESULT CALLBACK GridContextMenu::listProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
  auto* self = reinterpret_cast<GridContextMenu*>(data);
  switch (message) {
    case WM_CONTEXTMENU:
      self->onContextMenuAsked(lParam);
      return 0;
    // The keyboard's ways to the menu are taken here rather than left to the
    // system's default handling, which not every Windows-compatible system
    // turns into WM_CONTEXTMENU; taking the keys keeps that handling from
    // opening the menu a second time where it does.
    case WM_SYSKEYDOWN:
      if (wParam == VK_F10 && keyDown(VK_SHIFT)) {
        self->onContextMenuAsked(kFromKeyboard);
        return 0;
      }
      break;
    case WM_KEYUP:
      if (wParam == VK_APPS) {
        self->onContextMenuAsked(kFromKeyboard);
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_APPS || self->onKeyDown(wParam)) return 0;
      break;
    case WM_CHAR:
      // Ctrl+A and Ctrl+C arrive as these characters as well; the list would
      // take them for the start of a search by typing.
      if (wParam == 0x01 || wParam == 0x03) return 0;
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

bool GridContextMenu::onKeyDown(WPARAM key) {
  if (!keyDown(VK_CONTROL) || keyDown(VK_MENU)) return false;
  if (key == 'A') {
    onSelectAllPressed();
    return true;
  }
  if (key == 'C') {
    copySelectedRows();
    return true;
  }
  return false;
}

void GridContextMenu::onContextMenuAsked(LPARAM screenPoint) {
  const std::vector<int> selected = grid_.selectedRows();
  const int menuRow = rowOfMenu(selected);
  HMENU menu = createMenu(selected, menuRow);
  if (!menu) return;
  const UINT command = trackMenu(menu, menuPoint(screenPoint));
  DestroyMenu(menu);
  onCommandChosen(command, menuRow);
}

// Commands with nothing to act on are shown greyed.
HMENU GridContextMenu::createMenu(const std::vector<int>& selected, int menuRow) const {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  const ResultTable& table = grid_.table();
  const auto written = [&](int row) { return row >= 1 && row <= table.filledRows(); };
  const bool anyWritten = std::any_of(selected.begin(), selected.end(), written);
  appendItem(menu, kCopySellerIds, kCopySellerIdsText, anyWritten);
  appendItem(menu, kCopyRows, kCopyRowsText, anyWritten);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  appendItem(menu, kExportAll, kExportAllText, table.filledRows() > 0);
  appendItem(menu, kExportTicked, kExportTickedText, !writtenTickedRows().empty());
  appendItem(menu, kOpenExportFolder, kOpenExportFolderText, !lastExport_.empty());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  appendItem(menu, kOpenShop, kOpenShopText, written(menuRow) && !table.shop(menuRow).sellerId.empty() &&
                                                    (!actions_.canOpenShop || actions_.canOpenShop()));
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  appendItem(menu, kWorthContactingOnly, kWorthContactingText, true, grid_.view().worthContactingOnly());
  appendItem(menu, kSettings, kSettingsText, true);
  return menu;
}

// The chosen command, 0 when the menu was dismissed.
UINT GridContextMenu::trackMenu(HMENU menu, POINT at) const {
  // In front, so that a click elsewhere closes the menu.
  SetForegroundWindow(owner_);
  const UINT command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner_,
                                      nullptr);
  PostMessageW(owner_, WM_NULL, 0, 0);
  return command;
}

void GridContextMenu::onCommandChosen(UINT command, int menuRow) {
  switch (command) {
    case kCopySellerIds:
      return copySellerIds();
    case kCopyRows:
      return copySelectedRows();
    case kExportAll:
      return exportAllResults();
    case kExportTicked:
      return exportTickedRows();
    case kOpenExportFolder:
      return openExportFolder();
    case kOpenShop:
      return openShopOf(menuRow);
    case kWorthContactingOnly:
      if (actions_.worthContactingOnlyChosen) actions_.worthContactingOnlyChosen(!grid_.view().worthContactingOnly());
      return;
    case kSettings:
      if (actions_.settingsChosen) actions_.settingsChosen();
      return;
  }
}

// Every result the grid shows, as one range, so that space then ticks them all.
void GridContextMenu::onSelectAllPressed() {
  const int items = static_cast<int>(grid_.view().shownResults().size());
  if (items == 0) return;
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
  for (int item = 0; item < items; ++item) ListView_SetItemState(list_, item, LVIS_SELECTED, LVIS_SELECTED);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, FALSE);
}

void GridContextMenu::copySellerIds() {
  const LocalText ids = sellerIdsText(grid_.table(), grid_.selectedRows());
  if (!ids.empty()) putTextOnClipboard(owner_, toWide(ids));
}

void GridContextMenu::copySelectedRows() {
  const std::vector<int> rows = grid_.selectedRows();
  const ResultTable& table = grid_.table();
  if (std::none_of(rows.begin(), rows.end(), [&](int row) { return row <= table.filledRows(); })) return;
  putTextOnClipboard(owner_, toWide(rowsText(table, rows)));
}

std::wstring GridContextMenu::askWhere(const char* title, ExportScope* scope) const {
  const LocalText keyword = actions_.searchedKeyword ? actions_.searchedKeyword() : LocalText();
  const std::wstring folder = actions_.exportFolder ? actions_.exportFolder() : std::wstring();
  return askWhereToExport(owner_, toWide(title), toWide(exportFileName(keyword, today())), folder, scope)
      .value_or(std::wstring());
}

// The rows shown (in the grid's order) or every result (in the search's),
// as the user chooses in the Save dialog.
void GridContextMenu::exportAllResults() {
  const ResultTable& table = grid_.table();
  if (table.filledRows() == 0) return;
  ExportScope scope{static_cast<int>(grid_.view().shownResults().size()), table.filledRows(), true};
  const std::wstring path = askWhere(kExportAllTitle, &scope);
  if (path.empty()) return;
  // The rows are read after the dialog: a running search may have added some.
  std::vector<int> rows = grid_.view().shownResults();
  if (!scope.shownOnly) {
    rows.clear();
    for (int row = 1; row <= table.filledRows(); ++row) rows.push_back(row);
  }
  exportRows(path, rows);
}

// The ticked rows, in the order they were ticked (the order 联系选中 takes).
void GridContextMenu::exportTickedRows() {
  if (writtenTickedRows().empty()) return;
  const std::wstring path = askWhere(kExportTickedTitle, nullptr);
  if (!path.empty()) exportRows(path, writtenTickedRows());
}

std::vector<int> GridContextMenu::writtenTickedRows() const {
  std::vector<int> rows = actions_.tickedRows ? actions_.tickedRows() : std::vector<int>();
  std::erase_if(rows, [&](int row) { return row < 1 || row > grid_.table().filledRows(); });
  return rows;
}

// The path stays wide: the user's folders may hold characters GBK lacks.
void GridContextMenu::exportRows(const std::wstring& path, const std::vector<int>& rows) {
  if (platform::writeWholeFileAtomically(std::filesystem::path(path), resultsCsv(grid_.table(), rows))) {
    lastExport_ = path;
    if (actions_.exported) actions_.exported(path, static_cast<int>(rows.size()));
    return;
  }
  // Unlike the program's own quiet failures, the user asked for this file
  // and would otherwise take its absence for a success.
  MessageBoxW(owner_, (toWide(kCannotWrite) + L"\n" + path).c_str(), toWide(kExportAllTitle).c_str(),
              MB_OK | MB_ICONWARNING);
}

// Explorer opens the folder with the file selected.
void GridContextMenu::openExportFolder() {
  if (lastExport_.empty()) return;
  const std::wstring arguments = L"/select,\"" + lastExport_ + L"\"";
  ShellExecuteW(owner_, L"open", L"explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL);
}

void GridContextMenu::openShopOf(int row) {
  const ResultTable& table = grid_.table();
  if (row < 1 || row > table.filledRows() || !actions_.openShop) return;
  const LocalText id = table.shop(row).sellerId;
  if (!id.empty()) actions_.openShop(id);
}

// The row the user pointed at: a right click selects and focuses the row
// under it, the keyboard acts on the focused one. A focus left on a row that
// is no longer selected (a right click below the last row clears the
// selection) names no row.
int GridContextMenu::rowOfMenu(const std::vector<int>& selected) const {
  const int focused = grid_.focusedRow();
  if (std::find(selected.begin(), selected.end(), focused) != selected.end()) return focused;
  return selected.empty() ? -1 : selected.front();
}

// From the keyboard the menu has no mouse position (-1, -1): it opens at the
// focused row when that row is in sight, else at the list's top left corner.
POINT GridContextMenu::menuPoint(LPARAM screenPoint) const {
  POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (at.x != -1 || at.y != -1) return at;
  RECT client{}, row{};
  GetClientRect(list_, &client);
  at = {client.left, client.top};
  const int item = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
  if (item >= 0 && ListView_GetItemRect(list_, item, &row, LVIR_BOUNDS) && row.bottom > client.top &&
      row.bottom <= client.bottom)
    at = {std::max(row.left, client.left), row.bottom};
  ClientToScreen(list_, &at);
  return at;
}

}  // namespace quorvane
