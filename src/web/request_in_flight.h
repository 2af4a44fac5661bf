#pragma once
// One request as its two threads see it. The request thread opens handles
// through it and reports each byte that arrives; the caller waits for the
// request's end, and any thread may stop it, which closes every handle it
// holds open: that is what makes a blocked call return on Windows.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/http_transport.h"

namespace quorvane {

class RequestInFlight {
 public:
  using Clock = std::chrono::steady_clock;
  enum class End { Finished, Stopped, Stalled };

  explicit RequestInFlight(std::shared_ptr<platform::HttpTransport> transport);
  RequestInFlight(const RequestInFlight&) = delete;
  RequestInFlight& operator=(const RequestInFlight&) = delete;

  platform::HttpTransport& transport() const { return *transport_; }

  // Request thread. A handle just opened is kept so that a stop can close
  // it; after a stop it is closed at once instead and kNoHandle returned.
  platform::HttpHandle track(platform::HttpHandle handle);
  // Closes a kept handle; nothing when a stop has closed it already.
  void close(platform::HttpHandle handle);
  // Bytes arrived: the time without a byte starts again.
  void advanced();
  void finish();
  bool stopped() const;

  // Any thread: closes every kept handle, newest first; the request fails.
  void stop();

  // Caller: waits until the request finished, was stopped or went
  // `stallLimit` without a byte. `pump`, when given, runs every few
  // milliseconds meanwhile (the window's events, on the UI thread).
  End waitForEnd(std::chrono::milliseconds stallLimit, const std::function<void()>& pump);

 private:
  const std::shared_ptr<platform::HttpTransport> transport_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<platform::HttpHandle> open_;
  Clock::time_point lastByte_ = Clock::now();
  bool stopped_ = false;
  bool finished_ = false;
};

// A handle of one request, closed when it goes out of scope.
class TrackedHandle {
 public:
  TrackedHandle(RequestInFlight& request, platform::HttpHandle handle)
      : request_(request), handle_(handle == platform::kNoHandle ? handle : request.track(handle)) {}
  ~TrackedHandle() { close(); }
  TrackedHandle(const TrackedHandle&) = delete;
  TrackedHandle& operator=(const TrackedHandle&) = delete;

  explicit operator bool() const { return handle_ != platform::kNoHandle; }
  platform::HttpHandle get() const { return handle_; }
  void close() {
    if (handle_ != platform::kNoHandle) request_.close(handle_);
    handle_ = platform::kNoHandle;
  }

 private:
  RequestInFlight& request_;
  platform::HttpHandle handle_;
};

}  // namespace quorvane
