#include "app/window/result_grid.h"

#include <algorithm>
#include <string>

#include "app/window/window_text.h"
#include "app/window/window_messages.h"

namespace quorvane {

namespace {

struct Column {
  const char* title;
  int width;  // 0 keeps the default width
};

constexpr int kDefaultColumnWidth = 150;
constexpr Column kColumns[ResultTable::kColumnCount] = {
    {"\xD1\xA1\xD4\xF1", 50},                      // 选择
    {"\xB5\xEA\xC6\xCC\xC3\xFB\xB3\xC6", 200},     // 店铺名称
    {"\xCD\xFA\xCD\xFAID", 198},                   // 旺旺ID
    {"\xB1\xA6\xB1\xB4\xCA\xFD\xC1\xBF", 120},     // 宝贝数量
    {"\xD4\xC2\xCF\xFA\xC1\xBF", 120},             // 月销量
    {"\xC2\xF4\xBC\xD2\xD0\xC5\xD3\xFE", 120},     // 卖家信誉
    {"\xD6\xF7\xD3\xAA\xC0\xE0\xC4\xBF", 0},       // 主营类目
    {"\xD4\xDA\xCF\xDF\xD7\xB4\xCC\xAC", 120},     // 在线状态
    {"\xC1\xAA\xCF\xB5\xD7\xB4\xCC\xAC", 117},     // 联系状态
};

constexpr unsigned kTitleFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;  // 0x15
constexpr unsigned kCellFormat = DT_LEFT | DT_VCENTER | DT_WORDBREAK;     // 0x14
constexpr int kTickImageSize = 16;
constexpr int kTickBoxSize = 14;

int rowOfItem(int item) { return item + 1; }
int itemOfRow(int row) { return row - 1; }

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
  for (int column = 0; column < ResultTable::kColumnCount; ++column) {
    LVCOLUMNW header{};
    header.mask = LVCF_WIDTH | LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
    header.fmt = LVCFMT_LEFT;
    header.cx = kDefaultColumnWidth;
    header.pszText = const_cast<wchar_t*>(L"");
    header.iSubItem = column;
    ListView_InsertColumn(list_, column, &header);
  }
  createTickImages();
  ListView_SetItemCountEx(list_, table_.rowCount() - 1, LVSICF_NOINVALIDATEALL);
  SetWindowSubclass(list_, keyboardProc, 0, reinterpret_cast<DWORD_PTR>(this));
  table_.setChangeListener([this](int first, int last) { noteChange(first, last); });
}

void ResultGrid::detach() {
  if (!list_) return;
  table_.setChangeListener(nullptr);
  {
    std::lock_guard lock(changesMutex_);
    owner_ = nullptr;  // a write already past the listener posts nothing more
  }
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

void ResultGrid::setScale(DpiScale scale) {
  scale_ = scale;
  createTickImages();
  for (int column = 0; column < ResultTable::kColumnCount; ++column)
    setColumnWidth(column, kColumns[column].width ? kColumns[column].width : kDefaultColumnWidth);
}

void ResultGrid::setUp() {
  const int lastRow = table_.rowCount() - 1, lastColumn = ResultTable::kColumnCount - 1;
  for (int column = 0; column <= lastColumn; ++column) table_.setText(0, column, kColumns[column].title);
  table_.setTextFormat({0, 0, 0, lastColumn}, kTitleFormat);
  table_.setTextFormat({1, 1, lastRow, lastColumn}, kCellFormat);
  columnIsTick_[ResultTable::kTickColumn] = true;
  for (int column = 0; column <= lastColumn; ++column)
    if (kColumns[column].width) setColumnWidth(column, kColumns[column].width);
  refreshHeader();
}

void ResultGrid::setColumnWidth(int column, int width) {
  ListView_SetColumnWidth(list_, column, scale_(width));
}

// The header mirrors row 0; its titles stand centred, as their text format asks.
void ResultGrid::refreshHeader() {
  for (int column = 0; column < ResultTable::kColumnCount; ++column) {
    Cell title = table_.cell(0, column);
    std::wstring text = toWide(title.text);
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT | LVCF_FMT;
    header.fmt = (title.textFormat & DT_CENTER) ? LVCFMT_CENTER : LVCFMT_LEFT;
    if (column == 0) header.fmt = LVCFMT_LEFT;  // the first column cannot be centred
    header.pszText = text.data();
    ListView_SetColumn(list_, column, &header);
  }
}

int ResultGrid::firstSelectedRow() const {
  int item = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
  return item < 0 ? -1 : rowOfItem(item);
}

int ResultGrid::lastSelectedRow() const {
  int last = -1;
  for (int item = ListView_GetNextItem(list_, -1, LVNI_SELECTED); item >= 0;
       item = ListView_GetNextItem(list_, item, LVNI_SELECTED))
    last = item;
  return last < 0 ? -1 : rowOfItem(last);
}

void ResultGrid::noteChange(int firstRow, int lastRow) {
  std::lock_guard lock(changesMutex_);
  changedFirst_ = changedFirst_ < 0 ? firstRow : std::min(changedFirst_, firstRow);
  changedLast_ = std::max(changedLast_, lastRow);
  if (!changeSignalled_ && owner_)
    changeSignalled_ = PostMessageW(owner_, kTableChangedMessage, 0, 0) != FALSE;
}

void ResultGrid::applyChanges() {
  int first, last;
  {
    std::lock_guard lock(changesMutex_);
    first = changedFirst_;
    last = changedLast_;
    changedFirst_ = changedLast_ = -1;
    changeSignalled_ = false;
  }
  if (!list_ || first < 0) return;
  if (first == 0) refreshHeader();
  int firstItem = std::max(itemOfRow(first), 0), lastItem = itemOfRow(last);
  if (lastItem < firstItem) return;
  // Only the visible part needs painting; the list asks for the rest later.
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
  }
  return false;
}

void ResultGrid::onGetDisplayInfo(NMLVDISPINFOW& info) const {
  LVITEMW& item = info.item;
  const int row = rowOfItem(item.iItem), column = item.iSubItem;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    std::wstring text = columnIsTick_[column] ? std::wstring() : toWide(table_.text(row, column));
    size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::copy_n(text.data(), length, item.pszText);
    item.pszText[length] = L'\0';
  }
  if (item.mask & LVIF_IMAGE)
    item.iImage = column == ResultTable::kTickColumn
                      ? (table_.tick(row) ? kTickImageTicked : kTickImageUnticked)
                      : I_IMAGENONE;
}

LRESULT ResultGrid::onCustomDraw(NMLVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      Cell cell = table_.cell(rowOfItem(static_cast<int>(draw.nmcd.dwItemSpec)), draw.iSubItem);
      draw.clrText = cell.textColour;
      draw.clrTextBk = cell.background;
      return CDRF_NEWFONT;
    }
  }
  return CDRF_DODEFAULT;
}

// Space toggles ticks; the list's own handling of it would collapse the
// selection to the focused row, so it never sees the key.
LRESULT CALLBACK ResultGrid::keyboardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR data) {
  auto* grid = reinterpret_cast<ResultGrid*>(data);
  if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    SendMessageW(grid->owner_, kGridSpaceMessage, 0, 0);
    return 0;
  }
  if (message == WM_CHAR && wParam == L' ') return 0;
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace quorvane
