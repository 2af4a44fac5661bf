#include "web/request_in_flight.h"

#include <algorithm>

namespace quorvane {
namespace {

// How often a waiting UI thread runs its window's events: often enough that
// the window answers at once to the eye, rarely enough to cost nothing.
constexpr std::chrono::milliseconds kPumpInterval{10};

}  // namespace

RequestInFlight::RequestInFlight(std::shared_ptr<platform::HttpTransport> transport)
    : transport_(std::move(transport)) {}

platform::HttpHandle RequestInFlight::track(platform::HttpHandle handle) {
  std::lock_guard lock(mutex_);
  if (stopped_) {
    transport_->close(handle);
    return platform::kNoHandle;
  }
  open_.push_back(handle);
  return handle;
}

void RequestInFlight::close(platform::HttpHandle handle) {
  std::lock_guard lock(mutex_);
  auto kept = std::find(open_.begin(), open_.end(), handle);
  if (kept == open_.end()) return;
  open_.erase(kept);
  transport_->close(handle);
}

void RequestInFlight::advanced() {
  std::lock_guard lock(mutex_);
  lastByte_ = Clock::now();
}

void RequestInFlight::finish() {
  std::lock_guard lock(mutex_);
  finished_ = true;
  changed_.notify_all();
}

bool RequestInFlight::stopped() const {
  std::lock_guard lock(mutex_);
  return stopped_;
}

void RequestInFlight::stop() {
  std::lock_guard lock(mutex_);
  stopped_ = true;
  // Requests before their connections and root handles.
  for (auto handle = open_.rbegin(); handle != open_.rend(); ++handle) transport_->close(*handle);
  open_.clear();
  changed_.notify_all();
}

RequestInFlight::End RequestInFlight::waitForEnd(std::chrono::milliseconds stallLimit,
                                                 const std::function<void()>& pump) {
  std::unique_lock lock(mutex_);
  Clock::time_point nextPump = Clock::now() + kPumpInterval;
  for (;;) {
    if (stopped_) return End::Stopped;
    if (finished_) return End::Finished;
    const Clock::time_point stallsAt = lastByte_ + stallLimit;
    const Clock::time_point now = Clock::now();
    if (now >= stallsAt) return End::Stalled;
    if (!pump) {
      changed_.wait_until(lock, stallsAt);
    } else if (now < nextPump) {
      changed_.wait_until(lock, std::min(stallsAt, nextPump));
    } else {
      lock.unlock();
      pump();
      lock.lock();
      nextPump = Clock::now() + kPumpInterval;
    }
  }
}

}  // namespace quorvane
