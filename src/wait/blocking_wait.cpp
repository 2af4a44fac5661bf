#include "wait/blocking_wait.h"

namespace quorvane {

Wait::End BlockingWait::until(const std::function<bool()>& ready, Clock::time_point due) {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (cancelled_) return End::Cancelled;
    // `ready` may take locks of its own, and a wake() meanwhile must not be
    // slept through.
    woken_ = false;
    lock.unlock();
    const bool isReady = ready();
    lock.lock();
    if (cancelled_) return End::Cancelled;
    if (isReady) return End::Ready;
    if (Clock::now() >= due) return End::Due;
    if (woken_) continue;
    if (due == Clock::time_point::max())
      changed_.wait(lock);
    else
      changed_.wait_until(lock, due);
  }
}

void BlockingWait::wake() {
  std::lock_guard lock(mutex_);
  woken_ = true;
  changed_.notify_all();
}

void BlockingWait::cancel() {
  std::lock_guard lock(mutex_);
  cancelled_ = true;
  changed_.notify_all();
}

bool BlockingWait::cancelled() const {
  std::lock_guard lock(mutex_);
  return cancelled_;
}

}  // namespace quorvane
