// How the result grid copes with a full table: painting pages of 10 000
// filled rows against pages of empty rows, and a worker filling every row
// while the window thread keeps up. Prints times and ratios.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <thread>

#include "app/window/main_window_impl.h"

using namespace quorvane;

namespace {

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

double millisecondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Scrolls through the whole grid a page at a time, painting each page.
double paintEveryPage(HWND grid) {
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  const int page = ListView_GetCountPerPage(grid);
  for (int item = 0; item < ResultTable::kRowCount - 1; item += page * 10) {
    ListView_EnsureVisible(grid, item, FALSE);
    RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  }
  ListView_EnsureVisible(grid, 0, FALSE);
  return millisecondsSince(start);
}

void fillRow(ResultTable& table, int row) {
  const LocalText online = "\xCD\xFA\xCD\xFA\xD4\xDA\xCF\xDF", fresh = "\xCE\xB4\xC1\xAA\xCF\xB5";
  table.setText(row, 1, "\xB5\xEA\xC6\xCC " + std::to_string(row));
  table.setText(row, 2, "seller" + std::to_string(row));
  for (int column = 3; column <= 6; ++column) table.setText(row, column, std::to_string(row * column));
  table.setText(row, 7, online);
  table.setText(row, 8, fresh);
  table.setTextColour({row, 1, row, 8}, kOnlineGreen);
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  MainWindowImpl::registerWindowClass(GetModuleHandleW(nullptr));
  auto window = MainWindowImpl::create(GetModuleHandleW(nullptr));
  if (!window) return 1;
  pump();
  HWND grid = window->control(Control::高级表格1);

  const double empty = paintEveryPage(grid);

  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  std::thread worker([&] {
    for (int row = 1; row < ResultTable::kRowCount; ++row) fillRow(window->table(), row);
  });
  while (WaitForSingleObject(reinterpret_cast<HANDLE>(worker.native_handle()), 0) == WAIT_TIMEOUT) pump();
  worker.join();
  pump();
  const double fill = millisecondsSince(start);

  const double filled = paintEveryPage(grid);
  std::printf("paint every 10th page, empty rows:  %8.1f ms\n", empty);
  std::printf("paint every 10th page, filled rows: %8.1f ms  (ratio %.2f)\n", filled, filled / empty);
  std::printf("worker fills 10000 rows, window live: %6.1f ms\n", fill);
  return 0;
}
