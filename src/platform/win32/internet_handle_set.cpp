#include "platform/win32/internet_handle_set.h"

#include <algorithm>

namespace quorvane::platform {

bool InternetHandleSet::track(HINTERNET handle) {
  std::lock_guard lock(mutex_);
  if (stopped_) {
    InternetCloseHandle(handle);
    return false;
  }
  open_.push_back(handle);
  return true;
}

void InternetHandleSet::release(HINTERNET handle) {
  std::lock_guard lock(mutex_);
  auto it = std::find(open_.begin(), open_.end(), handle);
  if (it == open_.end()) return;
  open_.erase(it);
  InternetCloseHandle(handle);
}

void InternetHandleSet::stop() {
  std::lock_guard lock(mutex_);
  stopped_ = true;
  // Requests before their connections and root handles.
  for (auto it = open_.rbegin(); it != open_.rend(); ++it) InternetCloseHandle(*it);
  open_.clear();
  changed_.notify_all();
}

bool InternetHandleSet::stopped() const {
  std::lock_guard lock(mutex_);
  return stopped_;
}

void InternetHandleSet::markDone(bool& done) {
  std::lock_guard lock(mutex_);
  done = true;
  changed_.notify_all();
}

bool InternetHandleSet::waitUntilDone(const bool& done) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return done || stopped_; });
  return !stopped_;
}

}  // namespace quorvane::platform
