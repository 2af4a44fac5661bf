#pragma once
// Work handed to the window's thread from any thread: queued under a lock and
// drained when the window receives kRunUiTasksMessage. One message is posted
// per batch, not per task, so a busy worker cannot flood the message queue.
//
// A post can fail (the thread's message queue is full) and its message can
// be lost; a timer of the window's own then drains what waits, so no task
// waits for a post that never comes.
#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

namespace quorvane {

class UiTaskQueue {
 public:
  // How the wake-up message is posted: PostMessageW; tests make it fail.
  using PostFunction = BOOL(WINAPI*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  explicit UiTaskQueue(PostFunction post = PostMessageW) : post_(post) {}

  // The window's thread: tasks go to `window` from now on.
  void open(HWND window);
  // Drops the pending tasks and every later one.
  void close();
  void post(std::function<void()> task);
  // The window's procedure passes every message here first: true for the
  // queue's own message and timer, which drain the queue.
  bool onMessage(UINT message, WPARAM wParam);

 private:
  void drain();

  const PostFunction post_;
  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
  HWND window_ = nullptr;
  bool signalled_ = false;
};

}  // namespace quorvane
