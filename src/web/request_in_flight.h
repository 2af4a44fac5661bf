#pragma once
// One request as its two threads see it. The request thread opens handles
// through it, makes every call of the transport on them through it and
// reports each byte that arrives; the caller waits for the request's end,
// and any thread may stop it, which closes every handle it holds open: that
// is what makes a blocked call return on Windows.
//
// A handle is never used after a stop closed it: once stopped, no call is
// begun, and a handle closed during a call is the call's own cancellation,
// as WinInet documents it for a call blocked on another thread.
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/http_transport.h"
#include "text/text.h"
#include "wait/wait.h"

namespace quorvane {

class RequestInFlight {
 public:
  using Clock = Wait::Clock;
  enum class End { Finished, Stopped, Stalled };

  explicit RequestInFlight(std::shared_ptr<platform::HttpTransport> transport);
  RequestInFlight(const RequestInFlight&) = delete;
  RequestInFlight& operator=(const RequestInFlight&) = delete;

  // Request thread. A handle just opened is kept so that a stop can close
  // it; after a stop it is closed at once instead and kNoHandle returned.
  platform::HttpHandle track(platform::HttpHandle handle);
  // Closes a kept handle; nothing when a stop has closed it already.
  void close(platform::HttpHandle handle);
  // Runs call(transport) for one call on `handle`, a kept handle; false,
  // without running it, once the request was stopped. `use` is for calls
  // that return at once (options, header queries, handles opened without
  // a word on the network): they run under the request's lock, so a stop
  // waits for them. `useBlocking` is for calls that may wait on the network
  // (send, read, a URL's request): a stop closes their handle meanwhile,
  // which is how such a call is cancelled.
  template <typename Call>
  bool use(platform::HttpHandle handle, Call&& call) {
    std::lock_guard lock(mutex_);
    if (!mayCallLocked(handle)) return false;
    call(*transport_);
    return true;
  }
  template <typename Call>
  bool useBlocking(platform::HttpHandle handle, Call&& call) {
    {
      std::lock_guard lock(mutex_);
      if (!mayCallLocked(handle)) return false;
    }
    call(*transport_);
    return true;
  }
  // The root handle, which no call opens; kNoHandle once stopped.
  platform::HttpHandle openRoot(const LocalText& agent, const std::optional<LocalText>& proxyList);
  // Bytes arrived: the time without a byte starts again.
  void advanced();
  void finish();
  bool stopped() const;

  // Any thread: closes every kept handle, newest first; the request fails.
  void stop();

  // Caller: waits through `wait` until the request finished, was stopped or
  // went `stallLimit` without a byte. A cancelled wait stops the request.
  End waitForEnd(std::chrono::milliseconds stallLimit, Wait& wait);

 private:
  bool mayCallLocked(platform::HttpHandle handle) const;
  bool ended() const;
  Clock::time_point stallsAt(std::chrono::milliseconds stallLimit) const;
  void wakeWaiter();

  const std::shared_ptr<platform::HttpTransport> transport_;
  mutable std::mutex mutex_;
  std::vector<platform::HttpHandle> open_;
  Wait* waiter_ = nullptr;  // while the caller waits
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
  // call(transport, handle), as RequestInFlight::use and useBlocking.
  template <typename Call>
  bool use(Call&& call) {
    return request_.use(handle_, [&](platform::HttpTransport& transport) { call(transport, handle_); });
  }
  template <typename Call>
  bool useBlocking(Call&& call) {
    return request_.useBlocking(handle_, [&](platform::HttpTransport& transport) { call(transport, handle_); });
  }
  // The handle that call(transport, handle) opens at once; kNoHandle once stopped.
  template <typename Call>
  platform::HttpHandle open(Call&& call) {
    platform::HttpHandle opened = platform::kNoHandle;
    use([&](platform::HttpTransport& transport, platform::HttpHandle handle) { opened = call(transport, handle); });
    return opened;
  }
  void close() {
    if (handle_ != platform::kNoHandle) request_.close(handle_);
    handle_ = platform::kNoHandle;
  }

 private:
  RequestInFlight& request_;
  platform::HttpHandle handle_;
};

}  // namespace quorvane
