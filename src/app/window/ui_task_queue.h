#pragma once
// Work handed to the window's thread from any thread: queued under a lock and
// drained when the window receives kRunUiTasksMessage. One message is posted
// per batch, not per task, so a busy worker cannot flood the message queue.
#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

namespace quorvane {

class UiTaskQueue {
 public:
  void open(HWND window);
  // Drops the pending tasks and every later one.
  void close();
  void post(std::function<void()> task);
  // On the window's thread.
  void drain();

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
  HWND window_ = nullptr;
  bool signalled_ = false;
};

}  // namespace quorvane
