#pragma once
// 高级表格1: a virtual (owner-data) list view over the ResultTable, through
// the view the user chose (every row, or only the sellers worth contacting;
// sorted by a column title or not). In the plain view grid row r (1..10000)
// is list item r-1; row 0, the titles, is the list's header. Whatever the
// view, each item names its table row, and everything done to an item (a
// tick, a copy, an export) is done to that row. The list asks for each
// visible cell when it paints, so 10 000 filled rows cost no more than a
// screenful. Window thread only, like the table.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <vector>

#include "app/dpi_scale.h"
#include "app/grid_columns.h"
#include "results/result_table.h"
#include "results/result_view.h"

namespace quorvane {

class ResultGrid {
 public:
  explicit ResultGrid(ResultTable& table) : table_(table), view_(table) {}
  ResultGrid(const ResultGrid&) = delete;
  ResultGrid& operator=(const ResultGrid&) = delete;
  ~ResultGrid();

  // Takes over the list view; space presses reach `owner` as
  // kGridSpaceMessage, clicks on a row's tick box as kGridTickMessage.
  void attach(HWND listView, HWND owner);
  void detach();
  // Titles, text formats, the tick column and the column widths.
  void setUp();

  // The DPI's scale of the tick images and column widths; the columns take
  // their widths again at once.
  void setScale(DpiScale scale);
  // `width` is given at 96 DPI.
  void setColumnWidth(int column, int width);
  // Every column's width at 96 DPI: the layout's, or as remembered.
  void setColumnWidths(const std::array<int, kColumnCount>& widths);
  // The widths the columns have now (the user may have dragged them), at 96 DPI.
  std::array<int, kColumnCount> columnWidths() const;
  ResultTable& table() { return table_; }
  const ResultView& view() const { return view_; }
  // "只显示在线且未联系" and the column titles' sort; the user's selection
  // stays on the rows it was on where they are still shown.
  void setWorthContactingOnly(bool on);
  void sortBy(Column column);
  // Told after the view changed what it shows (its filter, its order, the
  // rows it keeps).
  void setViewListener(std::function<void()> listener) { viewListener_ = std::move(listener); }

  // The table row an item shows; -1 for none.
  int rowAt(int item) const { return view_.rowAt(item); }
  // The rows of the selected items, in the order shown.
  std::vector<int> selectedRows() const;
  // The rows of every item from the first to the last selected one, in the
  // order shown (what the space bar toggles); none without a selection.
  std::vector<int> rowsFromFirstToLastSelected() const;
  // The row of the focused item; -1 for none.
  int focusedRow() const;
  // Selects the items of these rows (those the view shows), alone.
  void selectRows(const std::vector<int>& rows);

  // Repaints what is visible of rows firstRow to lastRow (the plain view);
  // the list asks for the rest when it is scrolled to.
  void redrawRows(int firstRow, int lastRow);

  // WM_NOTIFY from the list view; returns true when handled, with `result`.
  bool onNotify(const NMHDR& header, LRESULT& result);

  static constexpr int kTickImageUnticked = 0;
  static constexpr int kTickImageTicked = 1;

 private:
  void onGetDisplayInfo(NMLVDISPINFOW& info) const;
  LRESULT onCustomDraw(NMLVCUSTOMDRAW& draw) const;
  void onTableChanged(int firstRow, int lastRow);
  // After the view changed: the item count, the selection back on its rows,
  // the sort arrows, a repaint, the listener.
  void showView(const std::vector<int>& selectedBefore, int focusedBefore);
  void showSortArrows();
  void setUpHeader();
  void showColumnWidths();
  void createTickImages();
  // The row whose tick box is at `point` of the list's client area; -1 for none.
  int rowOfTickBoxAt(POINT point) const;
  static LRESULT CALLBACK keyboardProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  ResultTable& table_;
  ResultView view_;
  std::function<void()> viewListener_;
  HWND list_ = nullptr;
  HWND owner_ = nullptr;
  HIMAGELIST tickImages_ = nullptr;
  DpiScale scale_;
  std::array<int, kColumnCount> widths_ = kDefaultColumnWidths;  // at 96 DPI, until shown
  bool widthsShown_ = false;
};

}  // namespace quorvane
