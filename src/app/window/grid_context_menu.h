#pragma once
// The result grid's own commands for the rows the user selected: a context
// menu (right click, the menu key, Shift+F10) with "复制旺旺ID",
// "复制选中行", "导出全部结果…", "导出选中行…", "打开导出文件夹", "打开店铺",
// the view "只显示在线且未联系" and "设置…", and the shortcuts Ctrl+A (select
// every result shown) and Ctrl+C (copy like "复制选中行"). Every command acts
// on the rows the selected lines show, in the order shown. The texts are
// built by the portable core; this class only reads the selection and hands
// the results to the clipboard, the Save dialog and the file.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/window/export_dialog.h"
#include "app/window/result_grid.h"
#include "text/text.h"

namespace quorvane {

class GridContextMenu {
 public:
  struct Actions {
    // The keyword of the search the rows came from, for the export's name.
    std::function<LocalText()> searchedKeyword;
    // The shop-page action of 进入店铺, for one seller id, and whether it
    // can run now (it waits, and one wait runs at a time).
    std::function<void(const LocalText& sellerId)> openShop;
    std::function<bool()> canOpenShop;
    // The folder the Save dialog opens in ("" for its own choice), and what
    // follows a written export (its path and how many rows it holds).
    std::function<std::wstring()> exportFolder;
    std::function<void(const std::wstring& path, int rows)> exported;
    // The ticked rows (SelectionList), in ticking order: "导出选中行…".
    std::function<std::vector<int>()> tickedRows;
    // "只显示在线且未联系" was switched; "设置…" was chosen.
    std::function<void(bool on)> worthContactingOnlyChosen;
    std::function<void()> settingsChosen;
  };

  // The menu's commands, in the order it lists them.
  enum Command : UINT {
    kCopySellerIds = 1,
    kCopyRows,
    kExportAll,
    kExportTicked,
    kOpenExportFolder,
    kOpenShop,
    kWorthContactingOnly,
    kSettings,
  };

  explicit GridContextMenu(ResultGrid& grid) : grid_(grid) {}
  GridContextMenu(const GridContextMenu&) = delete;
  GridContextMenu& operator=(const GridContextMenu&) = delete;
  ~GridContextMenu() { detach(); }

  // Watches the list view `listView`; the menu and dialogs belong to `owner`.
  void attach(HWND listView, HWND owner, Actions actions);
  void detach();

 private:
  static LRESULT CALLBACK listProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  bool onKeyDown(WPARAM key);

  // what the user did
  void onContextMenuAsked(LPARAM screenPoint);
  void onSelectAllPressed();
  void onCommandChosen(UINT command, int menuRow);

  // what the commands do
  void copySellerIds();
  void copySelectedRows();
  void exportAllResults();
  void exportTickedRows();
  // The path chosen in the Save dialog; "" when it was cancelled.
  std::wstring askWhere(const char* title, ExportScope* scope) const;
  void exportRows(const std::wstring& path, const std::vector<int>& rows);
  void openExportFolder();
  void openShopOf(int row);

  HMENU createMenu(const std::vector<int>& selected, int menuRow) const;
  UINT trackMenu(HMENU menu, POINT at) const;
  int rowOfMenu(const std::vector<int>& selected) const;
  POINT menuPoint(LPARAM screenPoint) const;
  std::vector<int> writtenTickedRows() const;

  ResultGrid& grid_;
  HWND list_ = nullptr;
  HWND owner_ = nullptr;
  Actions actions_;
  std::wstring lastExport_;  // the file the last export of this run wrote
};

}  // namespace quorvane
