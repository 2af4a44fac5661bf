// How the result grid copes with a full table: painting pages of 10 000
// filled rows against pages of empty rows, and a worker sending every row as
// a search does while the window thread applies them. Prints times and ratios.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <thread>

#include "app/search_event_channel.h"
#include "app/search_results.h"
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

// One row as a search sends it: the shop, the count, the status.
void sendRow(SearchEvents& events, int row) {
  ShopRow shop;
  shop.shopName = "\xB5\xEA\xC6\xCC " + std::to_string(row);
  shop.sellerId = "seller" + std::to_string(row);
  shop.itemCount = std::to_string(row * 3);
  shop.monthlySales = std::to_string(row * 4);
  shop.credit = std::to_string(row * 5);
  shop.category = std::to_string(row * 6);
  events.send(ShopFound{row, shop});
  events.send(CountChanged{row});
  events.send(StatusKnown{row, {kOnlineText, kNotContactedText, RowLook::OnlineNotContacted}});
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
  // The way a search's rows reach the grid: events from the worker's thread,
  // applied in batches on the window's.
  auto channel = SearchEventChannel::open(
      [&](std::function<void()> task) { window->runOnUiThread(std::move(task)); },
      [&](std::vector<SearchEvent>&& events) { applySearchEvents(window->table(), events); });
  std::thread worker([&] {
    for (int row = 1; row < ResultTable::kRowCount; ++row) sendRow(*channel, row);
  });
  while (WaitForSingleObject(reinterpret_cast<HANDLE>(worker.native_handle()), 0) == WAIT_TIMEOUT) pump();
  worker.join();
  while (window->table().shop(ResultTable::kLastRow).sellerId.empty()) pump();
  const double fill = millisecondsSince(start);

  const double filled = paintEveryPage(grid);
  std::printf("paint every 10th page, empty rows:  %8.1f ms\n", empty);
  std::printf("paint every 10th page, filled rows: %8.1f ms  (ratio %.2f)\n", filled, filled / empty);
  std::printf("worker fills 10000 rows, window live: %6.1f ms\n", fill);
  return 0;
}
