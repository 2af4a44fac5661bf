// The list view lives in another process: every structure a message points
// to is written into memory allocated there, and read back from it.
#include <windows.h>
#include <commctrl.h>

#include "ui_driver.h"

namespace quorvane::ui {

namespace {
constexpr size_t kRemoteSize = 4096;
constexpr size_t kTextOffset = 1024;  // the text buffer follows the structure
constexpr int kTextCapacity = static_cast<int>((kRemoteSize - kTextOffset) / sizeof(wchar_t));

int itemOfRow(int row) { return row - 1; }
}  // namespace

RemoteGrid::RemoteGrid(HWND listView) : list_(listView) {
  DWORD owner = 0;
  GetWindowThreadProcessId(list_, &owner);
  process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, owner);
  if (process_) remote_ = VirtualAllocEx(process_, nullptr, kRemoteSize, MEM_COMMIT, PAGE_READWRITE);
}

RemoteGrid::~RemoteGrid() {
  if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
  if (process_) CloseHandle(process_);
}

bool RemoteGrid::sendWithRemote(UINT message, WPARAM wParam, const void* in, size_t inSize, void* out,
                                size_t outSize, LRESULT* result) const {
  return sendWithRemote(list_, message, wParam, in, inSize, out, outSize, result);
}

bool RemoteGrid::sendWithRemote(HWND target, UINT message, WPARAM wParam, const void* in, size_t inSize, void* out,
                                size_t outSize, LRESULT* result) const {
  if (!remote_) return false;
  SIZE_T moved = 0;
  if (in && !WriteProcessMemory(process_, remote_, in, inSize, &moved)) return false;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(target, message, wParam, reinterpret_cast<LPARAM>(remote_), SMTO_ABORTIFHUNG,
                           5000, &answer))
    return false;
  if (result) *result = static_cast<LRESULT>(answer);
  return !out || ReadProcessMemory(process_, remote_, out, outSize, &moved);
}

int RemoteGrid::rowCount() const { return ListView_GetItemCount(list_) + 1; }

int RemoteGrid::columnCount() const {
  return Header_GetItemCount(ListView_GetHeader(list_));
}

std::wstring RemoteGrid::title(int column) const {
  LVCOLUMNW columnInfo{};
  columnInfo.mask = LVCF_TEXT;
  columnInfo.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote_) + kTextOffset);
  columnInfo.cchTextMax = kTextCapacity;
  if (!sendWithRemote(LVM_GETCOLUMNW, static_cast<WPARAM>(column), &columnInfo, sizeof(columnInfo), nullptr, 0))
    return {};
  std::wstring text(static_cast<size_t>(kTextCapacity), L'\0');
  SIZE_T moved = 0;
  ReadProcessMemory(process_, static_cast<char*>(remote_) + kTextOffset, text.data(),
                    text.size() * sizeof(wchar_t), &moved);
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

// What the header shows, which need not be the list's own column format.
bool RemoteGrid::titleCentred(int column) const {
  HDITEMW item{};
  item.mask = HDI_FORMAT;
  HDITEMW answer{};
  if (!sendWithRemote(ListView_GetHeader(list_), HDM_GETITEMW, static_cast<WPARAM>(column), &item, sizeof(item),
                      &answer, sizeof(answer)))
    return false;
  return (answer.fmt & HDF_JUSTIFYMASK) == HDF_CENTER;
}

int RemoteGrid::columnWidth(int column) const { return ListView_GetColumnWidth(list_, column); }

int RemoteGrid::rowHeight() const {
  RECT bounds{LVIR_BOUNDS, 0, 0, 0};
  RECT answer{};
  if (!sendWithRemote(LVM_GETITEMRECT, 0, &bounds, sizeof(bounds), &answer, sizeof(answer))) return 0;
  return answer.bottom - answer.top;
}

std::wstring RemoteGrid::cell(int row, int column) const {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote_) + kTextOffset);
  item.cchTextMax = kTextCapacity;
  LRESULT length = 0;
  if (!sendWithRemote(LVM_GETITEMTEXTW, static_cast<WPARAM>(itemOfRow(row)), &item, sizeof(item),
                      nullptr, 0, &length) || length <= 0)
    return {};
  std::wstring text(static_cast<size_t>(length), L'\0');
  SIZE_T moved = 0;
  ReadProcessMemory(process_, static_cast<char*>(remote_) + kTextOffset, text.data(),
                    text.size() * sizeof(wchar_t), &moved);
  return text;
}

bool RemoteGrid::ticked(int row) const {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = itemOfRow(row);
  LVITEMW answer{};
  if (!sendWithRemote(LVM_GETITEMW, 0, &item, sizeof(item), &answer, sizeof(answer))) return false;
  return answer.iImage == 1;
}

std::vector<int> RemoteGrid::selectedRows() const {
  std::vector<int> rows;
  for (int item = ListView_GetNextItem(list_, -1, LVNI_SELECTED); item >= 0;
       item = ListView_GetNextItem(list_, item, LVNI_SELECTED))
    rows.push_back(item + 1);
  return rows;
}

void RemoteGrid::clearSelection() {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = 0;
  sendWithRemote(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), &item, sizeof(item), nullptr, 0);
}

void RemoteGrid::select(int firstRow, int lastRow) {
  clearSelection();
  for (int row = firstRow; row <= lastRow; ++row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | (row == firstRow ? LVIS_FOCUSED : 0);
    item.state = item.stateMask;
    sendWithRemote(LVM_SETITEMSTATE, static_cast<WPARAM>(itemOfRow(row)), &item, sizeof(item), nullptr, 0);
  }
}

COLORREF RemoteGrid::pixelInCell(int row, int column) const {
  RECT bounds{LVIR_BOUNDS, column, 0, 0};
  RECT answer{};
  if (!sendWithRemote(LVM_GETSUBITEMRECT, static_cast<WPARAM>(itemOfRow(row)), &bounds, sizeof(bounds),
                      &answer, sizeof(answer)))
    return CLR_INVALID;
  POINT at{answer.right - 4, (answer.top + answer.bottom) / 2};
  ClientToScreen(list_, &at);
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

POINT RemoteGrid::pointInCell(int row, int column) const {
  RECT bounds{LVIR_BOUNDS, column, 0, 0};
  RECT answer{};
  if (!sendWithRemote(LVM_GETSUBITEMRECT, static_cast<WPARAM>(itemOfRow(row)), &bounds, sizeof(bounds), &answer,
                      sizeof(answer)))
    return {-1, -1};
  return {(answer.left + answer.right) / 2, (answer.top + answer.bottom) / 2};
}

POINT RemoteGrid::pointInTickBox(int row) const {
  RECT icon{LVIR_ICON, 0, 0, 0};
  RECT answer{};
  if (!sendWithRemote(LVM_GETITEMRECT, static_cast<WPARAM>(itemOfRow(row)), &icon, sizeof(icon), &answer,
                      sizeof(answer)))
    return {-1, -1};
  return {(answer.left + answer.right) / 2, (answer.top + answer.bottom) / 2};
}

void RemoteGrid::clickTitle(int column) const {
  HWND header = ListView_GetHeader(list_);
  RECT box{};
  if (!sendWithRemote(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), nullptr, 0, &box, sizeof(box))) return;
  const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
  PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(header, WM_LBUTTONUP, 0, at);
  settle(list_, 2);
}

int RemoteGrid::focusedRow() const {
  const int item = ListView_GetNextItem(list_, -1, LVNI_FOCUSED);
  return item < 0 ? -1 : item + 1;
}

bool RemoteGrid::cellComesToShow(int row, int column, COLORREF colour) const {
  return waitUntil([&] { return pixelInCell(row, column) == colour; }, 5000);
}

namespace {

// The first and last screen column inside `box` (screen coordinates) that
// holds a dark pixel: where text was drawn. Nothing when none does.
std::optional<std::pair<int, int>> inkColumns(RECT box) {
  HDC screen = GetDC(nullptr);
  std::optional<std::pair<int, int>> span;
  for (int x = box.left; x < box.right; ++x)
    for (int y = box.top; y < box.bottom; ++y) {
      COLORREF c = GetPixel(screen, x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) {
        span = span ? std::make_pair(span->first, x) : std::make_pair(x, x);
        break;
      }
    }
  ReleaseDC(nullptr, screen);
  return span;
}

// A rectangle of `window`'s client area on the screen, with `inset` pixels
// left out on every side (grid lines and edges are no text).
RECT onScreen(HWND window, RECT box, int inset) {
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&box), 2);
  InflateRect(&box, -inset, -inset);
  return box;
}

}  // namespace

std::optional<CellInk> RemoteGrid::cellInk(int row, int column) const {
  RECT bounds{LVIR_BOUNDS, column, 0, 0};
  RECT cell{};
  if (!sendWithRemote(LVM_GETSUBITEMRECT, static_cast<WPARAM>(itemOfRow(row)), &bounds, sizeof(bounds), &cell,
                      sizeof(cell)))
    return std::nullopt;
  return inkWithin(list_, cell);
}

std::optional<CellInk> RemoteGrid::titleInk(int column) const {
  HWND header = ListView_GetHeader(list_);
  RECT item{};
  if (!sendWithRemote(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), nullptr, 0, &item, sizeof(item)))
    return std::nullopt;
  return inkWithin(header, item);
}

std::optional<CellInk> RemoteGrid::inkWithin(HWND window, RECT box) {
  const int inset = 2;
  RECT screen = onScreen(window, box, inset);
  auto span = inkColumns(screen);
  if (!span) return std::nullopt;
  return CellInk{span->first - screen.left + inset, screen.right - 1 - span->second + inset};
}

}  // namespace quorvane::ui
