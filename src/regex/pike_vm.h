#pragma once
// Runs a program over a subject by simulating all its threads in lock step,
// in priority order (a Pike VM): time linear in the subject, memory bounded
// by the program, no recursion. Leftmost-first, like a backtracking engine.
#include <cstdint>
#include <string_view>
#include <vector>

#include "regex/literal_finder.h"
#include "regex/program.h"

namespace quorvane::regex {

class PikeVm {
 public:
  explicit PikeVm(const Program& program);

  // The leftmost match starting at or after `from`. On success `captures`
  // holds two entries per group (start, end), -1 for a group that took no
  // part. Every call on one PikeVm must be over the same subject.
  bool search(std::u16string_view subject, size_t from, std::vector<std::int32_t>& captures);

 private:
  // Threads waiting at a consuming instruction (or at Match), in priority
  // order, each with its own row of slots; `visit` dedups by thread state
  // (threadStateOffsets), so that of two threads with the same future only
  // the one of higher priority goes on.
  struct ThreadList {
    std::vector<std::uint32_t> sparse;
    std::vector<std::uint32_t> dense;
    std::uint32_t visitedCount = 0;
    std::vector<std::uint32_t> pcs;
    std::vector<std::int32_t> slots;

    void reset(size_t stateCount);
    void clear();
    bool visit(std::uint32_t state);
    bool empty() const { return pcs.empty(); }
  };

  struct Frame {
    std::uint32_t pcOrSlot;
    std::int32_t restoreValue;  // kExplore for a pc to explore, else a slot's old value
  };

  bool requiredLiteralsPresent(std::u16string_view subject, size_t from);
  bool startAllowed(std::u16string_view subject, size_t at) const;
  void addThread(ThreadList& list, std::uint32_t pc, std::u16string_view subject, size_t at,
                 const std::int32_t* slots);
  std::uint32_t stateOf(std::uint32_t pc, std::int32_t position) const;
  bool assertionHolds(Opcode op, std::u16string_view subject, size_t at) const;
  bool consumes(const Instruction& in, char16_t raw, char16_t folded) const;
  void setSlot(std::uint32_t slot, std::int32_t value);

  const Program& program_;
  std::vector<std::uint32_t> stateOffsets_;
  LiteralFinder prefix_;
  std::vector<LiteralFinder> required_;
  std::vector<size_t> requiredFoundAt_;
  ThreadList current_;
  ThreadList next_;
  std::vector<Frame> stack_;
  std::vector<std::int32_t> scratch_;
  std::vector<std::int32_t> unsetSlots_;
};

}  // namespace quorvane::regex
