#pragma once
// The waits of the windows' thread. An action that must wait for something
// (a shop lookup's answer, a presence check, the pause between two chats)
// asks WindowWaits::begin for a wait and waits through it; meanwhile the
// thread's messages keep running, so every window stays alive.
//
// One wait at a time: while one runs, begin refuses every other action that
// would wait (nesting one wait inside another would hold each up until the
// other ended), and the buttons of such actions are disabled. Each wait
// belongs to a window; closing that window, or leaving the program, cancels
// it: the wait ends at once, its request is stopped, and the action launches,
// opens and writes nothing more.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

#include "wait/wait.h"

namespace quorvane {

class WindowWaits;

// One running wait, as long as this object lives.
class WindowWait final : public Wait {
 public:
  ~WindowWait() override;
  WindowWait(const WindowWait&) = delete;
  WindowWait& operator=(const WindowWait&) = delete;

  End until(const std::function<bool()>& ready, Clock::time_point due) override;
  void wake() override;
  void cancel() override;
  bool cancelled() const override { return cancelled_; }

  HWND window() const { return window_; }

 private:
  friend class WindowWaits;
  WindowWait(WindowWaits& waits, HWND window);
  // Runs the messages waiting now, or some of them: it stops once the wait
  // is cancelled (the program's quit request cancels it too).
  void runWaitingMessages();

  WindowWaits& waits_;
  const HWND window_;
  HANDLE woken_;  // an auto-reset event
  std::atomic<bool> cancelled_{false};
};

class WindowWaits {
 public:
  // `translate` is the message loop's own handling of a keyboard message
  // (accelerators, dialog keys): true when it used the message up.
  // `changed` hears true when a wait begins and false when it ends.
  WindowWaits(std::function<bool(MSG&)> translate, std::function<void(bool waiting)> changed);
  WindowWaits(const WindowWaits&) = delete;
  WindowWaits& operator=(const WindowWaits&) = delete;

  // A wait for an action of `window`; nothing while another wait runs: the
  // action is refused. The thread of the windows only.
  std::unique_ptr<WindowWait> begin(HWND window);
  bool waiting() const { return current_ != nullptr; }

  // Closing `window`: cancels the running wait if it is that window's.
  void cancelFor(HWND window);
  // Leaving the program: cancels the running wait, whatever its window.
  void cancelAll();

 private:
  friend class WindowWait;
  void ended(WindowWait& wait);

  const std::function<bool(MSG&)> translate_;
  const std::function<void(bool waiting)> changed_;
  WindowWait* current_ = nullptr;
};

}  // namespace quorvane
