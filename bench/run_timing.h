#pragma once
// How the benchmarks time their work: processor time where the C library
// measures it (wall time under Wine's msvcrt), so a shared machine does not
// skew a ratio; both sides of a ratio are measured the same way.
#include <ctime>

inline double secondsSince(std::clock_t start) {
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// Runs `work` until at least `minimum` seconds have passed; seconds per run.
// `result` keeps the last run's answer, so the work cannot be optimised away.
template <typename Work, typename Result>
double timePerRun(Work work, double minimum, Result& result) {
  int runs = 0;
  std::clock_t start = std::clock();
  do {
    result = work();
    ++runs;
  } while (secondsSince(start) < minimum);
  return secondsSince(start) / runs;
}
