#pragma once

namespace quorvane::regex {

// Why a pattern cannot be run. Everything but Ok makes a search impossible;
// the engine never guesses at a construct it does not implement.
enum class Status {
  Ok,
  SyntaxError,
  Unsupported,  // backreferences, lookaround, legacy octal and the like
  TooLarge,     // nesting, counted repetition or program size beyond the bounds
};

// Bounds that keep compile time, memory and stack use sane whatever the pattern.
constexpr int kMaxGroupNesting = 100;
constexpr int kMaxRepeatCount = 1000;
constexpr int kMaxInstructions = 100000;
constexpr long long kMaxThreadSlots = 4 << 20;  // consuming instructions x slots
constexpr long long kMaxThreadStates = 1 << 20;  // see threadStateOffsets

}  // namespace quorvane::regex
