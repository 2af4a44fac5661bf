#include "regex/pike_vm.h"

#include <algorithm>
#include <utility>

#include "regex/case_folding.h"

namespace quorvane::regex {
namespace {

constexpr std::int32_t kExplore = -2;
constexpr size_t kNotFound = std::u16string_view::npos;

bool isLineTerminator(char16_t unit) {
  return unit == u'\n' || unit == u'\r' || unit == 0x2028 || unit == 0x2029;
}

bool isWordUnit(char16_t unit) {
  return (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'Z') ||
         (unit >= u'a' && unit <= u'z') || unit == u'_';
}

}  // namespace

void PikeVm::ThreadList::reset(size_t stateCount) {
  sparse.assign(stateCount, 0);
  dense.assign(stateCount, 0);
  clear();
}

void PikeVm::ThreadList::clear() {
  visitedCount = 0;
  pcs.clear();
  slots.clear();
}

bool PikeVm::ThreadList::visit(std::uint32_t state) {
  std::uint32_t index = sparse[state];
  if (index < visitedCount && dense[index] == state) return false;
  sparse[state] = visitedCount;
  dense[visitedCount++] = state;
  return true;
}

PikeVm::PikeVm(const Program& program)
    : program_(program), stateOffsets_(threadStateOffsets(program)), prefix_(program.prefix, program.ignoreCase),
      unsetSlots_(program.slotCount, -1) {
  for (const std::u16string& literal : program.requiredLiterals) {
    required_.emplace_back(literal, program.ignoreCase);
    requiredFoundAt_.push_back(kNotFound);
  }
  current_.reset(stateOffsets_.back());
  next_.reset(stateOffsets_.back());
  scratch_.resize(program.slotCount);
}

bool PikeVm::search(std::u16string_view subject, size_t from, std::vector<std::int32_t>& captures) {
  if (from > subject.size()) return false;
  if (prefix_.empty() && !requiredLiteralsPresent(subject, from)) return false;
  current_.clear();
  bool matched = false;
  size_t at = from;
  for (;;) {
    if (current_.empty()) {
      if (matched) break;
      if (program_.anchoredAtTextStart && at != 0) break;
      if (!prefix_.empty()) {
        at = prefix_.find(subject, at);
        if (at == kNotFound || !requiredLiteralsPresent(subject, at)) break;
      }
    }
    if (!matched && startAllowed(subject, at)) addThread(current_, 0, subject, at, unsetSlots_.data());
    next_.clear();
    char16_t raw = at < subject.size() ? subject[at] : 0;
    char16_t folded = program_.ignoreCase ? canonicalCase(raw) : raw;
    const size_t width = program_.slotCount;
    for (size_t i = 0; i < current_.pcs.size(); ++i) {
      const Instruction& in = program_.code[current_.pcs[i]];
      const std::int32_t* slots = current_.slots.data() + i * width;
      if (in.op == Opcode::Match) {
        // Every thread after this one has lower priority: drop them.
        matched = true;
        captures.assign(slots, slots + program_.captureSlotCount());
        break;
      }
      if (at < subject.size() && consumes(in, raw, folded))
        addThread(next_, current_.pcs[i] + 1, subject, at + 1, slots);
    }
    std::swap(current_, next_);
    if (at >= subject.size()) break;
    ++at;
  }
  return matched;
}

// No match can start at or after `from` unless every required literal occurs
// there; positions already found stay valid while `from` has not passed them.
bool PikeVm::requiredLiteralsPresent(std::u16string_view subject, size_t from) {
  for (size_t i = 0; i < required_.size(); ++i) {
    if (requiredFoundAt_[i] != kNotFound && requiredFoundAt_[i] >= from) continue;
    requiredFoundAt_[i] = required_[i].find(subject, from);
    if (requiredFoundAt_[i] == kNotFound) return false;
  }
  return true;
}

bool PikeVm::startAllowed(std::u16string_view subject, size_t at) const {
  if (program_.anchoredAtTextStart && at != 0) return false;
  if (prefix_.empty()) return true;
  return at < subject.size() && prefix_.canStartWith(subject[at]);
}

// Follows every empty transition from `pc` in priority order, with an
// explicit stack; slot writes are undone on the way back so that each branch
// sees the slots as they were at its split.
void PikeVm::addThread(ThreadList& list, std::uint32_t pc, std::u16string_view subject, size_t at,
                       const std::int32_t* slots) {
  const std::int32_t position = static_cast<std::int32_t>(at);
  std::copy(slots, slots + program_.slotCount, scratch_.begin());
  stack_.clear();
  stack_.push_back({pc, kExplore});
  while (!stack_.empty()) {
    Frame frame = stack_.back();
    stack_.pop_back();
    if (frame.restoreValue != kExplore) {
      scratch_[frame.pcOrSlot] = frame.restoreValue;
      continue;
    }
    for (std::uint32_t cursor = frame.pcOrSlot; list.visit(stateOf(cursor, position));) {
      const Instruction& in = program_.code[cursor];
      bool alive = true;
      switch (in.op) {
        case Opcode::Jump: cursor = in.x; continue;
        case Opcode::Split:
          stack_.push_back({in.y, kExplore});
          cursor = in.x;
          continue;
        case Opcode::Save:
        case Opcode::MarkIteration: setSlot(in.x, position); break;
        case Opcode::ClearSlots:
          for (std::uint32_t slot = in.x; slot < in.y; ++slot) setSlot(slot, -1);
          break;
        case Opcode::RejectEmptyIteration: alive = scratch_[in.x] != position; break;
        case Opcode::LineStart:
        case Opcode::LineEnd:
        case Opcode::TextStart:
        case Opcode::TextEnd:
        case Opcode::WordBoundary:
        case Opcode::NotWordBoundary: alive = assertionHolds(in.op, subject, at); break;
        case Opcode::Char:
        case Opcode::AnyButNewline:
        case Opcode::Class:
        case Opcode::Match:
          list.pcs.push_back(cursor);
          list.slots.insert(list.slots.end(), scratch_.begin(), scratch_.end());
          alive = false;
          break;
      }
      if (!alive) break;
      ++cursor;
    }
  }
}

// The state of a thread at `pc`, from the slots it carries (scratch_): the
// instruction and how many scopes around it began at `position`. Reaching an
// instruction again within one step is no repetition when more (or fewer) of
// its scopes are fresh: an empty iteration is rejected, and the thread must
// be able to backtrack into it, as ECMAScript's matcher does.
std::uint32_t PikeVm::stateOf(std::uint32_t pc, std::int32_t position) const {
  std::uint32_t fresh = 0;
  if (!isThreadStop(program_.code[pc].op)) {
    for (std::int32_t scope = program_.scopeOf[pc];
         scope >= 0 && scratch_[program_.scopes[scope].slot] == position; scope = program_.scopes[scope].parent)
      ++fresh;
  }
  return stateOffsets_[pc] + fresh;
}

void PikeVm::setSlot(std::uint32_t slot, std::int32_t value) {
  if (scratch_[slot] == value) return;
  stack_.push_back({slot, scratch_[slot]});
  scratch_[slot] = value;
}

bool PikeVm::assertionHolds(Opcode op, std::u16string_view subject, size_t at) const {
  bool atStart = at == 0;
  bool atEnd = at == subject.size();
  switch (op) {
    case Opcode::TextStart: return atStart;
    case Opcode::TextEnd: return atEnd;
    case Opcode::LineStart: return atStart || isLineTerminator(subject[at - 1]);
    case Opcode::LineEnd: return atEnd || isLineTerminator(subject[at]);
    case Opcode::WordBoundary:
    case Opcode::NotWordBoundary: {
      bool before = !atStart && isWordUnit(subject[at - 1]);
      bool after = !atEnd && isWordUnit(subject[at]);
      return (before != after) == (op == Opcode::WordBoundary);
    }
    default: return false;
  }
}

bool PikeVm::consumes(const Instruction& in, char16_t raw, char16_t folded) const {
  switch (in.op) {
    case Opcode::Char: return folded == in.unit;
    case Opcode::AnyButNewline: return raw != u'\n';
    case Opcode::Class: return program_.classes[in.x].matches(folded);
    default: return false;
  }
}

}  // namespace quorvane::regex
