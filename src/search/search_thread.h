#pragma once
// SearchThreadHandle: the slot for the one running search thread. A search
// leaves the slot exactly once, by a single atomic exchange: either the
// search thread takes itself out when its work is done, or a stop takes it
// out. Whoever takes it performs the search's end, so the end runs once and a
// stop never reaches the thread of a later search.
//
// Stopping is cooperative: the worker checks its StopFlag before each request
// and each row, and the stop aborts the request in flight so the worker gets
// there at once. The thread object itself is only ever started and joined on
// the thread that owns this slot (the window's thread).
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "search/stop_flag.h"

namespace quorvane {

class SearchThread {
 public:
  using Work = std::function<void(const StopFlag& stop)>;

  SearchThread() = default;
  SearchThread(const SearchThread&) = delete;
  SearchThread& operator=(const SearchThread&) = delete;
  ~SearchThread();  // stops a running search and waits for its thread

  // Runs `work` on a new thread and puts it into the slot. A search still in
  // the slot is stopped first, and the thread of an earlier search is waited
  // for, so no earlier search writes anything after this returns.
  // `abortRequest` (called from the stopping thread) makes the request in
  // flight and every later one return at once; `ownEnd` runs on the search
  // thread when the work ended without being stopped. False when no thread
  // could be started; the slot then stays empty.
  bool start(Work work, std::function<void()> abortRequest, std::function<void()> ownEnd);

  // Takes the running search out of the slot, asks it to stop and aborts its
  // request. False when the slot was empty (nothing to stop).
  bool stop();

  // Waits for the thread of a search that ended or was stopped. A stopped
  // worker leaves at its next check, which the aborted request brings at once.
  void join();

  bool running() const { return slot_.load() != nullptr; }

 private:
  struct Run {
    StopFlag stop;
    std::function<void()> abortRequest;
    std::function<void()> ownEnd;
  };
  void runOnThread(const std::shared_ptr<Run>& run, const Work& work);

  std::atomic<Run*> slot_{nullptr};
  std::shared_ptr<Run> current_;  // keeps the slot's run alive; owner's thread only
  std::thread thread_;
};

}  // namespace quorvane
