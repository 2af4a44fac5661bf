#include "app/window/ui_task_queue.h"

#include "app/window/window_messages.h"

namespace quorvane {
namespace {

// How soon tasks whose wake-up was lost still run.
constexpr UINT kRetryIntervalMs = 250;

}  // namespace

void UiTaskQueue::open(HWND window) {
  {
    std::lock_guard lock(mutex_);
    window_ = window;
  }
  SetTimer(window, kRunUiTasksTimerId, kRetryIntervalMs, nullptr);
}

void UiTaskQueue::close() {
  std::deque<std::function<void()>> dropped;
  std::lock_guard lock(mutex_);
  if (window_) KillTimer(window_, kRunUiTasksTimerId);
  window_ = nullptr;
  dropped.swap(tasks_);
}

void UiTaskQueue::post(std::function<void()> task) {
  std::lock_guard lock(mutex_);
  if (!window_ || !task) return;
  tasks_.push_back(std::move(task));
  if (!signalled_) signalled_ = post_(window_, kRunUiTasksMessage, 0, 0) != FALSE;
}

bool UiTaskQueue::onMessage(UINT message, WPARAM wParam) {
  if (message != kRunUiTasksMessage && !(message == WM_TIMER && wParam == kRunUiTasksTimerId)) return false;
  drain();
  return true;
}

// Whichever comes first, the message or the timer, runs the tasks; a message
// that comes after finds none.
void UiTaskQueue::drain() {
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(tasks_);
    signalled_ = false;
  }
  for (auto& task : batch) task();
}

}  // namespace quorvane
