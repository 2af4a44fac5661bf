#include "contact/contact_round.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(ContactRound, ASecondRoundCannotStartWhileOneRuns) {
  ContactRound first;
  ASSERT_TRUE(first.claimed());
  ContactRound nested;
  EXPECT_FALSE(nested.claimed());
  EXPECT_TRUE(ContactRound::running());
}

TEST(ContactRound, TheNextRoundStartsOnceTheFirstEnded) {
  { ContactRound first; }
  EXPECT_FALSE(ContactRound::running());
  ContactRound next;
  EXPECT_TRUE(next.claimed());
}

TEST(ContactRound, AStopReachesOnlyTheRunningRound) {
  ContactRound::stopRunning();  // none running: nothing to stop
  ContactRound round;
  EXPECT_FALSE(round.stopRequested());
  {
    ContactRound nested;
    ContactRound::stopRunning();
    EXPECT_FALSE(nested.stopRequested());
  }
  EXPECT_TRUE(round.stopRequested());
  EXPECT_TRUE(ContactRound::running());
}

}  // namespace
}  // namespace quorvane
