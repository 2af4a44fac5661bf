// How the result grid copes with a full table: painting pages of 10 000
// filled rows against pages of empty rows, and a worker sending every row as
// a search does while the window thread applies them, against the window
// thread applying the same rows itself. Prints times and ratios.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <thread>

#include "app/search_event_channel.h"
#include "app/search_results.h"
#include "app/window/main_window_impl.h"
#include "search/search_worker.h"

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

  // What the window does with each batch: the rows into the table (and the
  // grid's visible rows repainted), the count into its label.
  auto apply = [&](const std::vector<SearchEvent>& events) {
    const SearchProgress progress = applySearchEvents(window->table(), events);
    if (progress.rows) window->setText(Control::搜索结果, countLabel(*progress.rows));
  };

  // The baseline: the window's thread applies every row itself, one row's
  // events at a time, with no thread in between.
  struct Collect : SearchEvents {
    std::vector<SearchEvent> events;
    void send(SearchEvent event) override { events.push_back(std::move(event)); }
  };
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  for (int row = 1; row < ResultTable::kRowCount; ++row) {
    Collect one;
    sendRow(one, row);
    apply(one.events);
  }
  pump();
  const double direct = millisecondsSince(start);
  window->table().clearResults();
  pump();

  // The way a search's rows reach the grid: events from the worker's thread,
  // applied in batches on the window's, which sleeps in its message loop
  // between them as the program's does.
  QueryPerformanceCounter(&start);
  auto channel = SearchEventChannel::open(
      [&](std::function<void()> task) { window->runOnUiThread(std::move(task)); },
      [&](std::vector<SearchEvent>&& events) { apply(events); });
  HANDLE sent = CreateEventW(nullptr, TRUE, FALSE, nullptr);  // std::thread's handle is no Win32 handle here
  std::thread worker([&] {
    for (int row = 1; row < ResultTable::kRowCount; ++row) sendRow(*channel, row);
    SetEvent(sent);
  });
  while (MsgWaitForMultipleObjects(1, &sent, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) pump();
  worker.join();
  CloseHandle(sent);
  while (window->table().shop(ResultTable::kLastRow).sellerId.empty()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    pump();
  }
  const double fill = millisecondsSince(start);

  const double filled = paintEveryPage(grid);
  std::printf("paint every 10th page, empty rows:  %8.1f ms\n", empty);
  std::printf("paint every 10th page, filled rows: %8.1f ms  (ratio %.2f)\n", filled, filled / empty);
  std::printf("window thread applies 10000 rows itself: %6.1f ms\n", direct);
  std::printf("worker fills 10000 rows, window live:    %6.1f ms  (ratio %.2f)\n", fill, fill / direct);
  return 0;
}
