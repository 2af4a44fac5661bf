#pragma once
// 高级表格1: a virtual (owner-data) list view over the ResultTable. Grid row
// r (1..10000) is list item r-1; row 0, the titles, is the list's header.
// The list asks for each visible cell when it paints, so 10 000 filled rows
// cost no more than a screenful. Window thread only, like the table.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "app/dpi_scale.h"
#include "app/grid_columns.h"
#include "results/result_table.h"

namespace quorvane {

class ResultGrid {
 public:
  explicit ResultGrid(ResultTable& table) : table_(table) {}
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
  // The first and last grid row of the user's selection; -1 when none.
  int firstSelectedRow() const;
  int lastSelectedRow() const;

  // Repaints what is visible of rows firstRow to lastRow; the list asks for
  // the rest when it is scrolled to.
  void redrawRows(int firstRow, int lastRow);

  // WM_NOTIFY from the list view; returns true when handled, with `result`.
  bool onNotify(const NMHDR& header, LRESULT& result);

  static constexpr int kTickImageUnticked = 0;
  static constexpr int kTickImageTicked = 1;

 private:
  void onGetDisplayInfo(NMLVDISPINFOW& info) const;
  LRESULT onCustomDraw(NMLVCUSTOMDRAW& draw) const;
  void setUpHeader();
  void showColumnWidths();
  void createTickImages();
  // The row whose tick box is at `point` of the list's client area; -1 for none.
  int rowOfTickBoxAt(POINT point) const;
  static LRESULT CALLBACK keyboardProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

  ResultTable& table_;
  HWND list_ = nullptr;
  HWND owner_ = nullptr;
  HIMAGELIST tickImages_ = nullptr;
  DpiScale scale_;
  std::array<int, kColumnCount> widths_ = kDefaultColumnWidths;  // at 96 DPI, until shown
  bool widthsShown_ = false;
};

}  // namespace quorvane
