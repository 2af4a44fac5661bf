#pragma once
// A wait of one thread, until what it waits for is ready, a moment comes or
// the wait is cancelled. Waiting for a request's answer and pausing between
// two chats are the same wait: a pause is a wait whose readiness never
// comes, and a cancel ends either at once.
//
// The window's thread waits through app/window/window_waits.h, which keeps
// the windows' events running meanwhile; other threads through BlockingWait.
#include <chrono>
#include <functional>

namespace quorvane {

class Wait {
 public:
  using Clock = std::chrono::steady_clock;
  enum class End { Ready, Due, Cancelled };

  virtual ~Wait() = default;

  // The waiting thread. Ends with Cancelled once the wait is cancelled (at
  // once for a wait cancelled before), else with Ready once `ready` holds,
  // else with Due once `due` has come. `ready` runs on the waiting thread,
  // first at once and again after every wake().
  virtual End until(const std::function<bool()>& ready, Clock::time_point due) = 0;
  // Any thread: what `ready` looks at has changed.
  virtual void wake() = 0;
  // Any thread: the running until() and every later one end with Cancelled.
  virtual void cancel() = 0;
  virtual bool cancelled() const = 0;

  // Nothing to wait for but the time: false when the wait was cancelled.
  // On the window's thread even a pause of 0 runs the events waiting now.
  bool pause(Clock::duration length) {
    return until([] { return false; }, Clock::now() + length) != End::Cancelled;
  }
};

}  // namespace quorvane
