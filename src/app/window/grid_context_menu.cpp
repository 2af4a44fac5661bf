#include "app/window/grid_context_menu.h"

#include <commctrl.h>
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
constexpr char kOpenShopText[] = "\xB4\xF2\xBF\xAA\xB5\xEA\xC6\xCC(&O)";                     // 打开店铺(&O)
constexpr char kCannotWrite[] = "\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xCE\xC4\xBC\xFE\xA3\xBA";   // 无法写入文件：
constexpr char kExportTitle[] = "\xB5\xBC\xB3\xF6\xC8\xAB\xB2\xBF\xBD\xE1\xB9\xFB";         // 导出全部结果

int rowOfItem(int item) { return item + 1; }
int itemOfRow(int row) { return row - 1; }

bool keyDown(int key) { return GetKeyState(key) < 0; }

// WM_CONTEXTMENU's position when the keyboard asked for the menu: (-1, -1).
constexpr LPARAM kFromKeyboard = static_cast<LPARAM>(-1);

void appendItem(HMENU menu, UINT command, const char* text, bool enabled) {
  AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), command, toWide(text).c_str());
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
  const std::vector<int> selected = selectedRows();
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
  const bool anyWritten = !selected.empty() && selected.front() <= table_.filledRows();
  appendItem(menu, kCopySellerIds, kCopySellerIdsText, anyWritten);
  appendItem(menu, kCopyRows, kCopyRowsText, anyWritten);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  appendItem(menu, kExportAll, kExportAllText, table_.filledRows() > 0);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  appendItem(menu, kOpenShop, kOpenShopText,
             menuRow >= 1 && menuRow <= table_.filledRows() && !table_.shop(menuRow).sellerId.empty() &&
                 (!actions_.canOpenShop || actions_.canOpenShop()));
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
    case kOpenShop:
      return openShopOf(menuRow);
  }
}

// Every written row, as one range, so that space then ticks them all.
void GridContextMenu::onSelectAllPressed() {
  const int rows = table_.filledRows();
  if (rows == 0) return;
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
  for (int row = 1; row <= rows; ++row) ListView_SetItemState(list_, itemOfRow(row), LVIS_SELECTED, LVIS_SELECTED);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, FALSE);
}

void GridContextMenu::copySellerIds() {
  const LocalText ids = sellerIdsText(table_, selectedRows());
  if (!ids.empty()) putTextOnClipboard(owner_, toWide(ids));
}

void GridContextMenu::copySelectedRows() {
  const std::vector<int> rows = selectedRows();
  if (rows.empty() || rows.front() > table_.filledRows()) return;
  putTextOnClipboard(owner_, toWide(rowsText(table_, rows)));
}

void GridContextMenu::exportAllResults() {
  if (table_.filledRows() == 0) return;
  const LocalText keyword = actions_.searchedKeyword ? actions_.searchedKeyword() : LocalText();
  const std::wstring folder = actions_.exportFolder ? actions_.exportFolder() : std::wstring();
  const std::optional<std::wstring> path = askWhereToExport(owner_, toWide(exportFileName(keyword, today())), folder);
  if (!path) return;
  // The rows are read after the dialog: a running search may have added some.
  // The path stays wide: the user's folders may hold characters GBK lacks.
  const int rows = table_.filledRows();
  if (platform::writeWholeFileAtomically(std::filesystem::path(*path), resultsCsv(table_))) {
    if (actions_.exported) actions_.exported(*path, rows);
    return;
  }
  // Unlike the program's own quiet failures, the user asked for this file
  // and would otherwise take its absence for a success.
  MessageBoxW(owner_, (toWide(kCannotWrite) + L"\n" + *path).c_str(), toWide(kExportTitle).c_str(),
              MB_OK | MB_ICONWARNING);
}

void GridContextMenu::openShopOf(int row) {
  if (row < 1 || row > table_.filledRows() || !actions_.openShop) return;
  const LocalText id = table_.shop(row).sellerId;
  if (!id.empty()) actions_.openShop(id);
}

std::vector<int> GridContextMenu::selectedRows() const {
  std::vector<int> rows;
  for (int item = ListView_GetNextItem(list_, -1, LVNI_SELECTED); item >= 0;
       item = ListView_GetNextItem(list_, item, LVNI_SELECTED))
    rows.push_back(rowOfItem(item));
  return rows;
}

// The row the user pointed at: a right click selects and focuses the row
// under it, the keyboard acts on the focused one. A focus left on a row that
// is no longer selected (a right click below the last row clears the
// selection) names no row.
int GridContextMenu::rowOfMenu(const std::vector<int>& selected) const {
  const int item = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
  const int focused = item < 0 ? -1 : rowOfItem(item);
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
