#pragma once
// A search's request to stop: set once from any thread, read by the worker
// before each request and each row.
#include <atomic>

namespace quorvane {

class StopFlag {
 public:
  bool requested() const { return requested_.load(std::memory_order_acquire); }
  void request() { requested_.store(true, std::memory_order_release); }

 private:
  std::atomic<bool> requested_{false};
};

}  // namespace quorvane
