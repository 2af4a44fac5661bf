#pragma once
// The instruction set the matcher runs. Capture slots come first (two per
// group, group 0 being the whole match); after them one slot per loop whose
// body can match the empty text, holding where its current iteration began.
#include <cstdint>
#include <string>
#include <vector>

#include "web/regex/char_class.h"

namespace quorvane::regex {

enum class Opcode : std::uint8_t {
  Char,             // consumes `unit`
  AnyButNewline,    // consumes anything but a line feed
  Class,            // consumes a member of classes[x] (or a non-member when negated)
  Split,            // continue at x, and at lower priority at y
  Jump,             // continue at x
  Save,             // slot x := current position
  ClearSlots,       // slots x .. y-1 := unset (captures of a repeated group)
  LineStart,
  LineEnd,
  TextStart,
  TextEnd,
  WordBoundary,
  NotWordBoundary,
  MarkIteration,    // slot x := current position
  RejectEmptyIteration,  // fail if slot x is still the current position
  Match,
};

struct Instruction {
  Opcode op = Opcode::Match;
  char16_t unit = 0;
  std::uint32_t x = 0;
  std::uint32_t y = 0;
};

struct ClassTest {
  CharClass set;
  bool negated = false;
  bool matches(char16_t unit) const { return set.contains(unit) != negated; }
};

struct Program {
  std::vector<Instruction> code;
  std::vector<ClassTest> classes;
  int groupCount = 0;  // capture groups, the whole match not counted
  int slotCount = 0;
  bool ignoreCase = false;  // Char units and classes hold canonical case
  bool anchoredAtTextStart = false;
  // Every match begins with `prefix`; every match contains each required literal.
  std::u16string prefix;
  std::vector<std::u16string> requiredLiterals;

  int captureSlotCount() const { return 2 * (groupCount + 1); }
};

}  // namespace quorvane::regex
