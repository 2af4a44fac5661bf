// The wait of a thread without windows: a pause lasts its time, a cancel from
// another thread ends a wait that would never end, and a wake makes it look
// again at what it waits for.
#include "wait/blocking_wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace quorvane {
namespace {

using namespace std::chrono_literals;
using End = Wait::End;

TEST(BlockingWait, APauseLastsItsTimeAndACancelledWaitEndsEveryLaterOneAtOnce) {
  BlockingWait wait;
  const auto start = Wait::Clock::now();
  EXPECT_TRUE(wait.pause(30ms));
  EXPECT_GE(Wait::Clock::now() - start, 30ms);
  wait.cancel();
  EXPECT_FALSE(wait.pause(10s));
  EXPECT_EQ(wait.until([] { return true; }, Wait::Clock::time_point::max()), End::Cancelled);
}

TEST(BlockingWait, AnotherThreadsCancelOrWakeEndsAWaitWithoutEnd) {
  BlockingWait wait;
  std::atomic<bool> ready = false;
  std::thread waker([&] {
    std::this_thread::sleep_for(20ms);
    ready = true;
    wait.wake();
  });
  EXPECT_EQ(wait.until([&] { return ready.load(); }, Wait::Clock::time_point::max()), End::Ready);
  waker.join();

  std::thread canceller([&] {
    std::this_thread::sleep_for(20ms);
    wait.cancel();
  });
  EXPECT_EQ(wait.until([] { return false; }, Wait::Clock::time_point::max()), End::Cancelled);
  canceller.join();
}

}  // namespace
}  // namespace quorvane
