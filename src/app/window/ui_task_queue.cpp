#include "app/window/ui_task_queue.h"

#include "app/window/window_messages.h"

namespace quorvane {

void UiTaskQueue::open(HWND window) {
  std::lock_guard lock(mutex_);
  window_ = window;
}

void UiTaskQueue::close() {
  std::deque<std::function<void()>> dropped;
  std::lock_guard lock(mutex_);
  window_ = nullptr;
  dropped.swap(tasks_);
}

void UiTaskQueue::post(std::function<void()> task) {
  std::lock_guard lock(mutex_);
  if (!window_ || !task) return;
  tasks_.push_back(std::move(task));
  if (!signalled_) signalled_ = PostMessageW(window_, kRunUiTasksMessage, 0, 0) != FALSE;
}

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
