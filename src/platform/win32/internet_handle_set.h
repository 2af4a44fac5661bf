#pragma once
// The WinInet handles a client's requests hold open, shared by the client
// and the threads that run its requests, so that a stop from any thread can
// close them. Whoever takes a handle out of the set closes it: each handle
// is closed exactly once.
#include <windows.h>
#include <wininet.h>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace quorvane::platform {

class InternetHandleSet {
 public:
  // Adds a freshly opened handle; after stop() it is closed at once instead
  // and false returned.
  bool track(HINTERNET handle);
  // Closes a handle of the set; nothing when stop() closed it already.
  void release(HINTERNET handle);
  // Closes every handle, newest first, and refuses new ones from now on.
  void stop();
  bool stopped() const;

  // A request thread reports its end; a waiting caller wakes up when the
  // flag is set or the set is stopped. True when it ended unstopped.
  void markDone(bool& done);
  bool waitUntilDone(const bool& done);

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool stopped_ = false;
  std::vector<HINTERNET> open_;
};

// One tracked handle, released when it goes out of scope.
class TrackedHandle {
 public:
  TrackedHandle(InternetHandleSet& set, HINTERNET handle)
      : set_(set), handle_(handle && set.track(handle) ? handle : nullptr) {}
  ~TrackedHandle() { close(); }
  TrackedHandle(const TrackedHandle&) = delete;
  TrackedHandle& operator=(const TrackedHandle&) = delete;

  explicit operator bool() const { return handle_ != nullptr; }
  HINTERNET get() const { return handle_; }
  void close() {
    if (handle_) set_.release(handle_);
    handle_ = nullptr;
  }

 private:
  InternetHandleSet& set_;
  HINTERNET handle_;
};

}  // namespace quorvane::platform
