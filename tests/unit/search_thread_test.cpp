#include "search/search_thread.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace quorvane {
namespace {

// A gate a test opens to let a search thread go on.
class Gate {
 public:
  void open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  void wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return open_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
};

TEST(SearchThread, ANormalEndEmptiesTheSlotAndRunsTheEndOnce) {
  SearchThread thread;
  int ends = 0, aborts = 0;
  Gate done;
  ASSERT_TRUE(thread.start([](const StopFlag&) {}, [&] { ++aborts; }, [&] { ++ends; done.open(); }));
  done.wait();
  thread.join();
  EXPECT_FALSE(thread.running());
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(thread.stop()) << "a later stop finds nothing to stop";
  EXPECT_EQ(aborts, 0);
}

TEST(SearchThread, AStopAbortsTheRequestAndTheStoppedSearchHasNoEndOfItsOwn) {
  SearchThread thread;
  Gate inRequest, aborted;
  bool sawStop = false;
  int ends = 0;
  thread.start(
      [&](const StopFlag& stop) {
        inRequest.open();
        aborted.wait();  // the request in flight, until aborted
        sawStop = stop.requested();
      },
      [&] { aborted.open(); }, [&] { ++ends; });
  inRequest.wait();
  EXPECT_TRUE(thread.running());
  EXPECT_TRUE(thread.stop());
  EXPECT_FALSE(thread.running());
  thread.join();
  EXPECT_TRUE(sawStop);
  EXPECT_EQ(ends, 0);
}

TEST(SearchThread, StoppingTwiceChangesNothing) {
  SearchThread thread;
  int aborts = 0;
  Gate aborted;
  thread.start([&](const StopFlag&) { aborted.wait(); }, [&] { ++aborts; aborted.open(); }, nullptr);
  EXPECT_TRUE(thread.stop());
  EXPECT_FALSE(thread.stop());
  thread.join();
  EXPECT_EQ(aborts, 1);
}

TEST(SearchThread, AStopNeverReachesALaterSearch) {
  SearchThread thread;
  Gate firstAborted, secondRunning, secondMayEnd;
  int secondAborts = 0, secondEnds = 0;
  thread.start([&](const StopFlag&) { firstAborted.wait(); }, [&] { firstAborted.open(); }, nullptr);
  thread.stop();
  thread.start([&](const StopFlag&) { secondRunning.open(); secondMayEnd.wait(); }, [&] { ++secondAborts; },
               [&] { ++secondEnds; });
  secondRunning.wait();
  EXPECT_TRUE(thread.running());
  secondMayEnd.open();
  thread.join();
  EXPECT_EQ(secondAborts, 0);
  EXPECT_EQ(secondEnds, 1);
}

TEST(SearchThread, StartingAgainStopsASearchStillRunning) {
  SearchThread thread;
  Gate aborted;
  bool firstStopped = false;
  thread.start([&](const StopFlag& stop) { aborted.wait(); firstStopped = stop.requested(); },
               [&] { aborted.open(); }, nullptr);
  thread.start([](const StopFlag&) {}, nullptr, nullptr);
  EXPECT_TRUE(firstStopped) << "the first thread was stopped and joined before the second started";
  thread.join();
}

TEST(SearchThread, DestroyingTheSlotStopsAndWaitsForTheThread) {
  Gate aborted;
  bool finished = false;
  {
    SearchThread thread;
    thread.start([&](const StopFlag&) { aborted.wait(); finished = true; }, [&] { aborted.open(); }, nullptr);
  }
  EXPECT_TRUE(finished);
}

}  // namespace
}  // namespace quorvane
