#include "app/window/result_grid.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "app/window/window_text.h"
#include "app/window/window_messages.h"

namespace quorvane {

namespace {

constexpr int kDefaultColumnWidth = kDefaultColumnWidths[columnIndex(Column::Category)];
constexpr int kTickImageSize = 16;
constexpr int kTickBoxSize = 14;

int itemOfRow(int row) { return row - 1; }

// A selection this large is let go when the view moves its rows, rather
// than found again item by item.
constexpr int kMostItemsKeptSelected = 2000;

// A tick box as the system draws one, into a square image.
HBITMAP drawTickBox(HDC screen, bool ticked, DpiScale scale) {
  const int size = scale(kTickImageSize), boxSize = scale(kTickBoxSize);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, size, size};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const int inset = (size - boxSize) / 2;
  RECT box{inset, inset, inset + boxSize, inset + boxSize};
  DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (ticked ? DFCS_CHECKED : 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  return bitmap;
}

}  // namespace

ResultGrid::~ResultGrid() {
  detach();
  if (tickImages_) ImageList_Destroy(tickImages_);
}

void ResultGrid::attach(HWND listView, HWND owner) {
  list_ = listView;
  owner_ = owner;
  ListView_SetExtendedListViewStyle(
      list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  for (int column = 0; column < kColumnCount; ++column) {
    LVCOLUMNW header{};
    header.mask = LVCF_WIDTH | LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
    header.fmt = LVCFMT_LEFT;
    header.cx = kDefaultColumnWidth;
    header.pszText = const_cast<wchar_t*>(L"");
    header.iSubItem = column;
    ListView_InsertColumn(list_, column, &header);
  }
  createTickImages();
  ListView_SetItemCountEx(list_, view_.lineCount(), LVSICF_NOINVALIDATEALL);
  SetWindowSubclass(list_, keyboardProc, 0, reinterpret_cast<DWORD_PTR>(this));
  table_.setChangeListener([this](int first, int last) { onTableChanged(first, last); });
}

void ResultGrid::detach() {
  if (!list_) return;
  table_.setChangeListener(nullptr);
  RemoveWindowSubclass(list_, keyboardProc, 0);
  list_ = nullptr;
}

void ResultGrid::createTickImages() {
  const int size = scale_(kTickImageSize);
  HIMAGELIST old = tickImages_;
  tickImages_ = ImageList_Create(size, size, ILC_COLOR24, 2, 0);
  HDC screen = GetDC(nullptr);
  for (bool ticked : {false, true}) {
    HBITMAP box = drawTickBox(screen, ticked, scale_);
    ImageList_Add(tickImages_, box, nullptr);
    DeleteObject(box);
  }
  ReleaseDC(nullptr, screen);
  ListView_SetImageList(list_, tickImages_, LVSIL_SMALL);
  if (old) ImageList_Destroy(old);
}

// The widths the user gave the columns go along to the new DPI.
void ResultGrid::setScale(DpiScale scale) {
  widths_ = columnWidths();
  scale_ = scale;
  createTickImages();
  showColumnWidths();
}

void ResultGrid::setUp() {
  showColumnWidths();
  setUpHeader();
}

void ResultGrid::setColumnWidths(const std::array<int, kColumnCount>& widths) {
  widths_ = widths;
  showColumnWidths();
}

void ResultGrid::showColumnWidths() {
  for (int column = 0; column < kColumnCount; ++column) setColumnWidth(column, widths_[static_cast<size_t>(column)]);
  widthsShown_ = true;
}

void ResultGrid::setColumnWidth(int column, int width) {
  ListView_SetColumnWidth(list_, column, scale_(width));
}

std::array<int, kColumnCount> ResultGrid::columnWidths() const {
  if (!widthsShown_ || !list_) return widths_;
  std::array<int, kColumnCount> widths{};
  for (int column = 0; column < kColumnCount; ++column)
    widths[static_cast<size_t>(column)] =
        MulDiv(ListView_GetColumnWidth(list_, column), DpiScale::kDesignDpi, scale_.dpi());
  return widths;
}

int ResultGrid::rowOfTickBoxAt(POINT point) const {
  LVHITTESTINFO hit{};
  hit.pt = point;
  const int item = ListView_SubItemHitTest(list_, &hit);
  if (item < 0 || hit.iSubItem != columnIndex(Column::Tick)) return -1;
  RECT box{};
  if (!ListView_GetItemRect(list_, item, &box, LVIR_ICON) || !PtInRect(&box, point)) return -1;
  return view_.rowAt(item);
}

// The titles stand centred in the header while the result cells below them
// stay left-aligned: the list's own column format would align both alike, so
// the header's items get their format on their own.
void ResultGrid::setUpHeader() {
  HWND header = ListView_GetHeader(list_);
  for (int column = 0; column < kColumnCount; ++column) {
    std::wstring title = toWide(columnTitle(columnAt(column)));
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.fmt = HDF_CENTER | HDF_STRING;
    item.pszText = title.data();
    Header_SetItem(header, column, &item);
  }
}

std::vector<int> ResultGrid::selectedRows() const {
  std::vector<int> rows;
  for (int item = ListView_GetNextItem(list_, -1, LVNI_SELECTED); item >= 0;
       item = ListView_GetNextItem(list_, item, LVNI_SELECTED))
    if (const int row = view_.rowAt(item); row > 0) rows.push_back(row);
  return rows;
}

std::vector<int> ResultGrid::rowsFromFirstToLastSelected() const {
  std::vector<int> rows;
  const int first = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
  if (first < 0) return rows;
  int last = first;
  for (int item = first; item >= 0; item = ListView_GetNextItem(list_, item, LVNI_SELECTED)) last = item;
  for (int item = first; item <= last; ++item)
    if (const int row = view_.rowAt(item); row > 0) rows.push_back(row);
  return rows;
}

int ResultGrid::focusedRow() const {
  const int item = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
  return item < 0 ? -1 : view_.rowAt(item);
}

void ResultGrid::selectRows(const std::vector<int>& rows) {
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
  for (int row : rows)
    if (const int item = view_.lineOf(row); item >= 0) ListView_SetItemState(list_, item, LVIS_SELECTED, LVIS_SELECTED);
}

void ResultGrid::setWorthContactingOnly(bool on) {
  if (on == view_.worthContactingOnly()) return;
  const std::vector<int> selected = selectedRows();
  const int focused = focusedRow();
  view_.setWorthContactingOnly(on);
  showView(selected, focused);
}

void ResultGrid::sortBy(Column column) {
  if (column == Column::Tick) return;
  const std::vector<int> selected = selectedRows();
  const int focused = focusedRow();
  view_.sortBy(column);
  showView(selected, focused);
}

// In the plain view every row keeps its item: the changed rows are only
// painted again. Otherwise the view follows the table, and where that moves
// rows to other items the selection goes with them.
void ResultGrid::onTableChanged(int firstRow, int lastRow) {
  if (!list_) return;
  if (view_.plain()) return redrawRows(firstRow, lastRow);
  const int lines = view_.lineCount();
  const bool keepSelection = ListView_GetSelectedCount(list_) <= static_cast<UINT>(kMostItemsKeptSelected);
  const std::vector<int> selected = keepSelection ? selectedRows() : std::vector<int>();
  const int focused = focusedRow();
  if (view_.rowsChanged(firstRow, lastRow) == ResultView::Effect::Reordered) return showView(selected, focused);
  if (view_.lineCount() != lines)
    ListView_SetItemCountEx(list_, view_.lineCount(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  InvalidateRect(list_, nullptr, FALSE);
  if (viewListener_) viewListener_();
}

void ResultGrid::showView(const std::vector<int>& selectedBefore, int focusedBefore) {
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ListView_SetItemCountEx(list_, view_.lineCount(), LVSICF_NOSCROLL);
  selectRows(selectedBefore);
  if (const int item = view_.lineOf(focusedBefore); item >= 0)
    ListView_SetItemState(list_, item, LVIS_FOCUSED, LVIS_FOCUSED);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, FALSE);
  showSortArrows();
  if (viewListener_) viewListener_();
}

// The sorted column's title shows the order the way Windows lists show it.
void ResultGrid::showSortArrows() {
  HWND header = ListView_GetHeader(list_);
  for (int column = 0; column < kColumnCount; ++column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(header, column, &item);
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (view_.sort() && columnIndex(view_.sort()->column) == column)
      item.fmt |= view_.sort()->order == SortOrder::Ascending ? HDF_SORTUP : HDF_SORTDOWN;
    Header_SetItem(header, column, &item);
  }
}

void ResultGrid::redrawRows(int firstRow, int lastRow) {
  if (!list_) return;
  int firstItem = std::max(itemOfRow(firstRow), 0), lastItem = itemOfRow(lastRow);
  int top = ListView_GetTopIndex(list_);
  int bottom = top + ListView_GetCountPerPage(list_) + 1;
  firstItem = std::max(firstItem, top);
  lastItem = std::min(lastItem, bottom);
  if (firstItem <= lastItem) ListView_RedrawItems(list_, firstItem, lastItem);
}

bool ResultGrid::onNotify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != list_) return false;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      onGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
      result = 0;
      return true;
    case NM_CUSTOMDRAW:
      result = onCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
      return true;
    case LVN_ODFINDITEMW:
      result = -1;  // no type-ahead search: typing is not a way to tick
      return true;
    case LVN_COLUMNCLICK:
      sortBy(columnAt(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem));
      result = 0;
      return true;
  }
  return false;
}

void ResultGrid::onGetDisplayInfo(NMLVDISPINFOW& info) const {
  LVITEMW& item = info.item;
  const int row = view_.rowAt(item.iItem), column = item.iSubItem;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    std::wstring text = toWide(table_.text(row, columnAt(column)));
    size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::copy_n(text.data(), length, item.pszText);
    item.pszText[length] = L'\0';
  }
  if (item.mask & LVIF_IMAGE)
    item.iImage = columnAt(column) == Column::Tick ? (table_.tick(row) ? kTickImageTicked : kTickImageUnticked)
                                                   : I_IMAGENONE;
}

LRESULT ResultGrid::onCustomDraw(NMLVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      RowColours colours =
          table_.colours(view_.rowAt(static_cast<int>(draw.nmcd.dwItemSpec)), columnAt(draw.iSubItem));
      draw.clrText = colours.text;
      draw.clrTextBk = colours.background;
      return CDRF_NEWFONT;
    }
  }
  return CDRF_DODEFAULT;
}

// Space toggles ticks; the list's own handling of it would collapse the
// selection to the focused row, so it never sees the key. A click on a tick
// box toggles that row's tick, and the list then selects the row as for any
// click; a double click toggles it twice, as two clicks on a check box do.
LRESULT CALLBACK ResultGrid::keyboardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
  auto* grid = reinterpret_cast<ResultGrid*>(data);
  if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    SendMessageW(grid->owner_, kGridSpaceMessage, 0, 0);
    return 0;
  }
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    const int row = grid->rowOfTickBoxAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (row > 0) SendMessageW(grid->owner_, kGridTickMessage, static_cast<WPARAM>(row), 0);
  }
  if (message == WM_CHAR && wParam == L' ') return 0;
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace quorvane
