#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "app/search_event_channel.h"
#include "app/window/main_window_impl.h"
#include "app/window/ui_task_queue.h"
#include "app/window/window_messages.h"
#include "ui_driver.h"

namespace quorvane {
namespace {

const LocalText kShirt = "\xD2\xC2\xB7\xFE";  // "衣服"
const LocalText kOnline = "\xCD\xFA\xCD\xFA\xD4\xDA\xCF\xDF";
const LocalText kNotContacted = "\xCE\xB4\xC1\xAA\xCF\xB5";

void pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  MSG msg;
  while (!done() && GetTickCount64() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(1);
  }
}

void pumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

int queued(UINT message) {
  int count = 0;
  MSG msg;
  std::vector<MSG> taken;
  while (PeekMessageW(&msg, nullptr, message, message, PM_REMOVE)) taken.push_back(msg), ++count;
  for (const MSG& m : taken) PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
  return count;
}

void registerOnce() {
  static bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    MainWindowImpl::registerWindowClass(GetModuleHandleW(nullptr));
    return true;
  }();
  (void)registered;
}

// One window for the suite (taking the notification-area icon away again
// costs seconds under Wine); each test starts from the state as created.
class InProcessWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registerOnce();
    shared = MainWindowImpl::create(GetModuleHandleW(nullptr)).release();
  }
  static void TearDownTestSuite() {
    delete shared;
    shared = nullptr;
    pumpPending();
  }
  void SetUp() override {
    ASSERT_NE(shared, nullptr);
    window = shared;
    window->table().clearResults();
    window->resetSelection();
    window->setTicked(Control::选中过滤, true);
    window->setEnabled(Control::搜索, true);
    window->setTimerInterval(200);
    pumpPending();
  }
  static MainWindowImpl* shared;
  HWND grid() const { return window->control(Control::高级表格1); }
  std::wstring gridText(int row, int column) {
    wchar_t buffer[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessageW(grid(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  void selectRows(int first, int last) {
    ListView_SetItemState(grid(), -1, 0, LVIS_SELECTED);
    for (int row = first; row <= last; ++row) ListView_SetItemState(grid(), row - 1, LVIS_SELECTED, LVIS_SELECTED);
  }
  void pressSpace() {
    SendMessageW(grid(), WM_KEYDOWN, VK_SPACE, 0);
    pumpPending();
  }
  MainWindowImpl* window = nullptr;
};
MainWindowImpl* InProcessWindow::shared = nullptr;

TEST_F(InProcessWindow, ControlTextsRoundTripAsLocalText) {
  window->setText(Control::关键词输入框, kShirt);
  EXPECT_EQ(window->text(Control::关键词输入框), kShirt);
  EXPECT_EQ(ui::text(window->control(Control::关键词输入框)), ui::fromLocal(kShirt));
  window->setText(Control::搜索结果, "\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "20\xCC\xF5");
  EXPECT_EQ(window->text(Control::搜索结果), "\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" "20\xCC\xF5");
}

TEST_F(InProcessWindow, TicksListsAndEnabledStatesFollowTheirSetters) {
  EXPECT_TRUE(window->ticked(Control::选中过滤));
  window->setTicked(Control::浙江, true);
  EXPECT_TRUE(window->ticked(Control::浙江));
  window->clearItems(Control::联系旺旺列表框);
  window->addItem(Control::联系旺旺列表框, "[" + kShirt + "]");
  EXPECT_EQ(window->selectedIndex(Control::联系旺旺列表框), -1);
  window->setSelectedIndex(Control::联系旺旺列表框, 0);
  EXPECT_EQ(window->selectedIndex(Control::联系旺旺列表框), 0);
  EXPECT_EQ(window->text(Control::联系旺旺列表框), "[" + kShirt + "]");
  EXPECT_EQ(window->selectedIndex(Control::组合框1), 0);
  window->setEnabled(Control::搜索, false);
  EXPECT_FALSE(window->enabled(Control::搜索));
  EXPECT_TRUE(window->enabled(Control::启动高级搜索));
}

TEST_F(InProcessWindow, TimerStartsAt200AndCanBeStopped) {
  EXPECT_EQ(window->timerInterval(), 200u);
  window->setTimerInterval(0);
  EXPECT_EQ(window->timerInterval(), 0u);
}

TEST_F(InProcessWindow, TableWritesShowInTheGrid) {
  ShopRow shop;
  shop.shopName = kShirt;
  window->table().setShop(1, shop);
  window->table().applyStatus(10000, {kOnline, kNotContacted, std::nullopt});
  pumpPending();
  EXPECT_EQ(gridText(1, 1), ui::fromLocal(kShirt));
  EXPECT_EQ(gridText(10000, 8), ui::fromLocal(kNotContacted));
}

TEST_F(InProcessWindow, TasksFromAnotherThreadRunOnTheWindowThreadInOrder) {
  std::vector<int> order;
  std::vector<DWORD> threads;
  std::thread worker([&] {
    for (int i = 0; i < 100; ++i)
      window->runOnUiThread([&, i] {
        order.push_back(i);
        threads.push_back(GetCurrentThreadId());
      });
  });
  worker.join();
  pumpUntil([&] { return order.size() == 100; });
  ASSERT_EQ(order.size(), 100u);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], i);
  for (DWORD id : threads) EXPECT_EQ(id, GetCurrentThreadId());
}

// The batch-id window's timers ask the main window for the chosen account
// every 200 ms: it must go, timers and all, with the window it asks.
TEST(InProcessWindowGone, TasksPostedAndTheBatchWindowGoWithTheWindow) {
  registerOnce();
  std::unique_ptr<MainWindowImpl> window = MainWindowImpl::create(GetModuleHandleW(nullptr));
  ASSERT_NE(window, nullptr);
  SendMessageW(window->control(Control::批量联系), BM_CLICK, 0, 0);
  const HWND batch = window->batchWindow().handle();
  ASSERT_TRUE(IsWindow(batch));
  bool ran = false;
  window->runOnUiThread([&] { ran = true; });  // pending when the window goes
  DestroyWindow(window->handle());
  window->runOnUiThread([&] { ran = true; });
  EXPECT_FALSE(IsWindow(batch));
  window.reset();
  pumpUntil([] { return false; }, 600);  // three ticks of the batch window's timers
  EXPECT_FALSE(ran);
}

// A wake-up whose post fails (a full message queue) is not waited for: the
// queue's own timer delivers what waits, so every row of a search arrives.
BOOL WINAPI refuseFirstPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static std::atomic<int> posts = 0;
  return posts++ == 0 ? FALSE : PostMessageW(window, message, wParam, lParam);
}

LRESULT CALLBACK queueWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* queue = reinterpret_cast<UiTaskQueue*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (queue && queue->onMessage(message, wParam)) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(UiTasks, AWakeUpThatCouldNotBePostedStillDeliversEveryRow) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = queueWindowProc;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = L"QuorvaneTaskQueueTest";
  RegisterClassW(&cls);
  HWND window = CreateWindowExW(0, cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  UiTaskQueue queue(refuseFirstPost);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&queue));
  queue.open(window);

  std::vector<int> rows;
  bool ended = false;
  auto channel = SearchEventChannel::open([&](std::function<void()> task) { queue.post(std::move(task)); },
                                          [&](std::vector<SearchEvent>&& events) {
                                            for (const SearchEvent& event : events) {
                                              if (auto* found = std::get_if<ShopFound>(&event)) rows.push_back(found->row);
                                              ended = ended || std::holds_alternative<SearchEnded>(event);
                                            }
                                          });
  std::thread worker([&] {
    for (int row = 1; row <= 1000; ++row) {
      channel->send(ShopFound{row, {}});
      if (row % 100 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));  // bursts, as pages come
    }
    channel->send(SearchEnded{});
  });
  pumpUntil([&] { return ended; });
  worker.join();
  queue.close();
  DestroyWindow(window);
  ASSERT_TRUE(ended);
  ASSERT_EQ(rows.size(), 1000u);
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(rows[static_cast<size_t>(i)], i + 1);
}

TEST_F(InProcessWindow, SpaceTicksSelectedRowsAndTheLabelFollows) {
  window->setTicked(Control::选中过滤, false);
  selectRows(12, 12);
  pressSpace();
  selectRows(3, 3);
  pressSpace();
  selectRows(2, 2);
  pressSpace();
  EXPECT_EQ(window->selectionList(), "12,3,2,");
  pressSpace();
  EXPECT_EQ(window->selectionList(), "12,3,");
  EXPECT_EQ(window->text(Control::已选中标签), "\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "2 \xB8\xF6");
  EXPECT_TRUE(window->table().tick(12));
}

TEST_F(InProcessWindow, FilterAdmitsOnlyOnlineRowsNotYetContacted) {
  window->table().applyStatus(1, {kOnline, kNotContacted, std::nullopt});
  window->table().applyStatus(2, {"", kNotContacted, std::nullopt});
  window->table().applyStatus(3, {kOnline, kContactedText, std::nullopt});
  selectRows(1, 3);
  pressSpace();
  EXPECT_EQ(window->selectionList(), "1,");
}

TEST_F(InProcessWindow, ResetSelectionEmptiesTheListAndTheLabel) {
  window->setTicked(Control::选中过滤, false);
  selectRows(4, 6);
  pressSpace();
  window->resetSelection();
  EXPECT_EQ(window->selectionList(), "");
  EXPECT_EQ(window->text(Control::已选中标签), "\xD2\xD1\xD1\xA1\xD6\xD0\xCA\xFD\xC1\xBF\xA3\xBA" "0 \xB8\xF6");
}

TEST_F(InProcessWindow, CellColoursAreDrawn) {
  window->table().markContacted(1);
  ShopRow shop;
  shop.shopName = kShirt;
  window->table().setShop(2, shop);
  SetForegroundWindow(window->handle());
  pumpPending();
  UpdateWindow(grid());
  ui::RemoteGrid remote(grid());
  EXPECT_EQ(remote.pixelInCell(1, 2), RGB(220, 220, 220));
  EXPECT_EQ(remote.pixelInCell(2, 2), RGB(255, 255, 255));
}

// Result cells read from their left edge, as their text format says; only
// the titles above them stand centred.
TEST_F(InProcessWindow, ResultCellsAreDrawnLeftAlignedUnderCentredTitles) {
  ShopRow shop{kShirt, "id", "12", "34", "2\xD0\xC4", kShirt};
  window->table().setShop(1, shop);
  window->table().applyStatus(1, {kOnline, kNotContacted, RowLook::OnlineNotContacted});
  SetForegroundWindow(window->handle());
  pumpPending();
  UpdateWindow(grid());
  ui::RemoteGrid remote(grid());
  for (int column = 1; column <= 8; ++column) {
    SCOPED_TRACE("column " + std::to_string(column));
    auto cell = remote.cellInk(1, column);
    ASSERT_TRUE(cell);
    EXPECT_LE(cell->fromLeft, 16);
    EXPECT_GT(cell->fromRight, cell->fromLeft + 20);
    auto title = remote.titleInk(column);
    ASSERT_TRUE(title);
    EXPECT_NEAR(title->fromLeft, title->fromRight, 4);
  }
}

TEST_F(InProcessWindow, SlidingOutAHiddenPanelLeavesItHidden) {
  window->slideRegionPanelOut();
  RECT box = ui::positionInParent(window->control(Control::图片框1));
  EXPECT_EQ(box.left, 1221);
}

}  // namespace
}  // namespace quorvane
