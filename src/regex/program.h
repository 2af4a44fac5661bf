#pragma once
// The instruction set the matcher runs. Capture slots come first (two per
// group, group 0 being the whole match); after them one slot per loop whose
// body can match the empty text, holding where its current iteration began.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "regex/char_class.h"
#include "regex/field_shape.h"

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

// Where a thread waits for the next unit (or has matched).
inline bool isThreadStop(Opcode op) {
  return op == Opcode::Char || op == Opcode::AnyButNewline || op == Opcode::Class || op == Opcode::Match;
}

struct ClassTest {
  CharClass set;
  bool negated = false;
  bool matches(char16_t unit) const { return set.contains(unit) != negated; }
};

// An optional iteration whose body can match the empty text: the
// instructions from just after its MarkIteration to its RejectEmptyIteration.
// `parent` is the iteration around it, -1 for none.
struct IterationScope {
  std::uint32_t slot = 0;
  std::int32_t parent = -1;
};

struct Program {
  std::vector<Instruction> code;
  // Per instruction, the innermost iteration scope it lies in, -1 for none.
  std::vector<std::int32_t> scopeOf;
  std::vector<IterationScope> scopes;
  std::vector<ClassTest> classes;
  int groupCount = 0;  // capture groups, the whole match not counted
  int slotCount = 0;
  bool ignoreCase = false;  // Char units and classes hold canonical case
  bool anchoredAtTextStart = false;
  // Every match begins with `prefix`; every match contains each required literal.
  std::u16string prefix;
  std::vector<std::u16string> requiredLiterals;
  // Set when the pattern can run as two literal scans instead.
  std::optional<FieldShape> fieldShape;

  int captureSlotCount() const { return 2 * (groupCount + 1); }
};

// A thread's future at one position depends on its instruction and on how
// many of the iteration scopes around it began at that position (those are
// always the innermost ones: a scope inside one that began here began here
// too). Instruction pc owns the states offsets[pc] .. offsets[pc + 1] - 1,
// one per such count; a thread stop owns one, since consuming a unit leaves
// no scope begun at the next position. The last entry is the total.
std::vector<std::uint32_t> threadStateOffsets(const Program& program);

}  // namespace quorvane::regex
