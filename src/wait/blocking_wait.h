#pragma once
// The wait of a thread without windows: it sleeps until it is woken, its
// moment comes or another thread cancels it.
#include <condition_variable>
#include <mutex>

#include "wait/wait.h"

namespace quorvane {

class BlockingWait final : public Wait {
 public:
  End until(const std::function<bool()>& ready, Clock::time_point due) override;
  void wake() override;
  void cancel() override;
  bool cancelled() const override;

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool woken_ = false;
  bool cancelled_ = false;
};

}  // namespace quorvane
