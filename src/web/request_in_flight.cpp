#include "web/request_in_flight.h"

#include <algorithm>

namespace quorvane {

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

platform::HttpHandle RequestInFlight::openRoot(const LocalText& agent, const std::optional<LocalText>& proxyList) {
  if (stopped()) return platform::kNoHandle;
  return transport_->openRoot(agent, proxyList);
}

bool RequestInFlight::mayCallLocked(platform::HttpHandle handle) const {
  return handle != platform::kNoHandle && !stopped_ &&
         std::find(open_.begin(), open_.end(), handle) != open_.end();
}

void RequestInFlight::advanced() {
  std::lock_guard lock(mutex_);
  lastByte_ = Clock::now();
}

void RequestInFlight::finish() {
  std::lock_guard lock(mutex_);
  finished_ = true;
  wakeWaiter();
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
  wakeWaiter();
}

void RequestInFlight::wakeWaiter() {
  if (waiter_) waiter_->wake();
}

bool RequestInFlight::ended() const {
  std::lock_guard lock(mutex_);
  return stopped_ || finished_;
}

RequestInFlight::Clock::time_point RequestInFlight::stallsAt(std::chrono::milliseconds stallLimit) const {
  std::lock_guard lock(mutex_);
  return lastByte_ + stallLimit;
}

RequestInFlight::End RequestInFlight::waitForEnd(std::chrono::milliseconds stallLimit, Wait& wait) {
  {
    std::lock_guard lock(mutex_);
    waiter_ = &wait;
  }
  std::optional<End> end;
  while (!end) {
    const Wait::End waited = wait.until([this] { return ended(); }, stallsAt(stallLimit));
    if (waited == Wait::End::Cancelled) stop();
    std::lock_guard lock(mutex_);
    if (stopped_)
      end = End::Stopped;
    else if (finished_)
      end = End::Finished;
    else if (Clock::now() >= lastByte_ + stallLimit)
      end = End::Stalled;
  }
  // The request thread may finish long after the wait is gone.
  std::lock_guard lock(mutex_);
  waiter_ = nullptr;
  return *end;
}

}  // namespace quorvane
