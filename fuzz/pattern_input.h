#pragma once
// The input layout of the pattern targets: [options][pattern length]
// [pattern][subject], so one input holds both and libFuzzer mutates each.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

struct PatternInput {
  uint8_t options;
  std::string_view pattern;
  std::string_view subject;
};

inline std::optional<PatternInput> splitPatternInput(const uint8_t* data, size_t size) {
  if (size < 2) return std::nullopt;
  const size_t patternLength = data[1];
  const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
  if (patternLength > rest.size()) return std::nullopt;
  return PatternInput{data[0], rest.substr(0, patternLength), rest.substr(patternLength)};
}
