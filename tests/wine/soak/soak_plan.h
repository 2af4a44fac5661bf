#pragma once
// How much one soak run does, and the seeded choice of the moment each
// started search is stopped at.
#include <windows.h>

#include <random>
#include <string>

namespace quorvane::soak {

struct SoakPlan {
  int stopCycles;        // searches started and stopped before their end
  int completeSearches;  // searches run to their end, back to back
  int contactRounds;     // rows ticked in the grid, then 联系选中
  int batchRounds;       // 批量联系 opened, ids contacted, the window closed
  unsigned seed;

  // The form the test command runs, and the long one scripts/soak.sh runs.
  static SoakPlan shortForm() { return {30, 2, 1, 1, kDefaultSeed}; }
  static SoakPlan longForm() { return {200, 10, 10, 10, kDefaultSeed}; }

  static constexpr unsigned kDefaultSeed = 20240612;
};

// Reads "--long" and "--seed=N" (what GoogleTest left of the command line).
inline SoakPlan planFromArguments(int argc, char** argv) {
  SoakPlan plan = SoakPlan::shortForm();
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--long") {
      const unsigned seed = plan.seed;
      plan = SoakPlan::longForm();
      plan.seed = seed;
    } else if (argument.rfind("--seed=", 0) == 0) {
      plan.seed = static_cast<unsigned>(std::stoul(argument.substr(7)));
    }
  }
  return plan;
}

// Where a started search is stopped. The held moments catch the search
// certainly inside a request: the marketplace keeps the answer back until
// the stop has been clicked.
enum class StopMoment {
  ProbeHeld,     // the first request, before any row
  PresenceHeld,  // the first row's presence lookup
  LastPageHeld,  // the second result page, after twenty rows
  AfterDelay,    // whatever the search is doing after a random delay
};

struct CycleStop {
  StopMoment moment;
  DWORD delayMs;  // for AfterDelay
};

class StopMoments {
 public:
  explicit StopMoments(unsigned seed) : random_(seed) {}

  // Half the cycles stop after a delay of up to kLongestDelayMs (a complete
  // search takes a few seconds), the other half at one of the held moments.
  CycleStop next() {
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_int_distribution<DWORD> delay(0, kLongestDelayMs);
    switch (kind(random_)) {
      case 0:
        return {StopMoment::ProbeHeld, 0};
      case 1:
        return {StopMoment::PresenceHeld, 0};
      case 2:
        return {StopMoment::LastPageHeld, 0};
      default:
        return {StopMoment::AfterDelay, delay(random_)};
    }
  }

  static constexpr DWORD kLongestDelayMs = 1500;

 private:
  std::mt19937 random_;
};

}  // namespace quorvane::soak
