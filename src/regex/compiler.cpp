#include "regex/compiler.h"

#include <algorithm>

#include "regex/case_folding.h"

namespace quorvane::regex {
namespace {

class Compiler {
 public:
  Compiler(const SyntaxTree& tree, CompileOptions options)
      : tree_(tree), options_(options), nullable_(tree.nodes.size(), -1),
        loopSlot_(tree.nodes.size(), -1) {}

  CompileResult run() {
    CompileResult result;
    program_.groupCount = tree_.groupCount;
    program_.ignoreCase = options_.ignoreCase;
    nextSlot_ = program_.captureSlotCount();
    compileClasses();
    emit({Opcode::Save, 0, 0, 0});
    emitNode(tree_.root);
    emit({Opcode::Save, 0, 1, 0});
    emit({Opcode::Match});
    program_.slotCount = nextSlot_;
    if (tooLarge_ || threadSlotsNeeded() > kMaxThreadSlots || threadStateOffsets(program_).back() > kMaxThreadStates) {
      result.status = Status::TooLarge;
      return result;
    }
    findLiterals();
    program_.fieldShape = fieldShapeOf(tree_);
    result.program = std::move(program_);
    return result;
  }

 private:
  void compileClasses() {
    program_.classes.resize(tree_.classes.size());
    for (const Node& node : tree_.nodes) {
      if (node.kind != NodeKind::Class) continue;
      const CharClass& set = tree_.classes[node.classIndex];
      program_.classes[node.classIndex] = {options_.ignoreCase ? set.caseCanonical() : set, node.negated};
    }
  }

  std::uint32_t here() const { return static_cast<std::uint32_t>(program_.code.size()); }

  std::uint32_t emit(Instruction instruction) {
    if (program_.code.size() >= static_cast<size_t>(kMaxInstructions)) {
      tooLarge_ = true;
      return 0;
    }
    program_.code.push_back(instruction);
    program_.scopeOf.push_back(currentScope_);
    return here() - 1;
  }

  void patch(std::uint32_t at, std::uint32_t x, std::uint32_t y) {
    if (tooLarge_) return;
    program_.code[at].x = x;
    program_.code[at].y = y;
  }

  void emitNode(int index) {
    if (tooLarge_) return;
    const Node& node = tree_.nodes[index];
    switch (node.kind) {
      case NodeKind::Empty: break;
      case NodeKind::Literal:
        emit({Opcode::Char, options_.ignoreCase ? canonicalCase(node.unit) : node.unit, 0, 0});
        break;
      case NodeKind::AnyButNewline: emit({Opcode::AnyButNewline}); break;
      case NodeKind::Class: emit({Opcode::Class, 0, static_cast<std::uint32_t>(node.classIndex), 0}); break;
      case NodeKind::Group:
        emit({Opcode::Save, 0, static_cast<std::uint32_t>(2 * node.group), 0});
        emitNode(node.children[0]);
        emit({Opcode::Save, 0, static_cast<std::uint32_t>(2 * node.group + 1), 0});
        break;
      case NodeKind::Concat:
        for (int child : node.children) emitNode(child);
        break;
      case NodeKind::Alternate: emitAlternation(node); break;
      case NodeKind::Repeat: emitRepeat(index); break;
      case NodeKind::Assertion: emit({assertionOpcode(node.assertion)}); break;
    }
  }

  Opcode assertionOpcode(Assertion assertion) const {
    switch (assertion) {
      case Assertion::LineStart: return options_.multiline ? Opcode::LineStart : Opcode::TextStart;
      case Assertion::LineEnd: return options_.multiline ? Opcode::LineEnd : Opcode::TextEnd;
      case Assertion::WordBoundary: return Opcode::WordBoundary;
      case Assertion::NotWordBoundary: return Opcode::NotWordBoundary;
    }
    return Opcode::Match;
  }

  void emitAlternation(const Node& node) {
    std::vector<std::uint32_t> exits;
    for (size_t i = 0; i + 1 < node.children.size(); ++i) {
      std::uint32_t split = emit({Opcode::Split});
      emitNode(node.children[i]);
      exits.push_back(emit({Opcode::Jump}));
      patch(split, split + 1, here());
    }
    emitNode(node.children.back());
    for (std::uint32_t jump : exits) patch(jump, here(), 0);
  }

  // Mandatory iterations first, then the optional ones: an unbounded loop,
  // or a chain of splits that all leave to the same exit.
  void emitRepeat(int index) {
    const Node& node = tree_.nodes[index];
    for (int i = 0; i < node.min && !tooLarge_; ++i) emitIteration(index, false);
    if (node.max == kUnbounded) {
      std::uint32_t split = emit({Opcode::Split});
      emitIteration(index, true);
      emit({Opcode::Jump, 0, split, 0});
      patchChoice(split, split + 1, here(), node.greedy);
      return;
    }
    std::vector<std::uint32_t> splits;
    for (int i = node.min; i < node.max && !tooLarge_; ++i) {
      splits.push_back(emit({Opcode::Split}));
      emitIteration(index, true);
    }
    for (std::uint32_t split : splits) patchChoice(split, split + 1, here(), node.greedy);
  }

  void patchChoice(std::uint32_t split, std::uint32_t again, std::uint32_t exit, bool greedy) {
    if (greedy)
      patch(split, again, exit);
    else
      patch(split, exit, again);
  }

  // Each iteration starts with the body's groups unset; an optional one that
  // consumed nothing fails, so empty bodies cannot loop.
  void emitIteration(int index, bool optional) {
    const Node& node = tree_.nodes[index];
    bool rejectEmpty = optional && isNullable(node.children[0]);
    std::uint32_t slot = rejectEmpty ? iterationSlot(index) : 0;
    const std::int32_t outerScope = currentScope_;
    if (rejectEmpty) {
      emit({Opcode::MarkIteration, 0, slot, 0});
      program_.scopes.push_back({slot, outerScope});
      currentScope_ = static_cast<std::int32_t>(program_.scopes.size()) - 1;
    }
    if (node.endGroup > node.firstGroup)
      emit({Opcode::ClearSlots, 0, static_cast<std::uint32_t>(2 * node.firstGroup),
            static_cast<std::uint32_t>(2 * node.endGroup)});
    emitNode(node.children[0]);
    if (rejectEmpty) emit({Opcode::RejectEmptyIteration, 0, slot, 0});
    currentScope_ = outerScope;
  }

  std::uint32_t iterationSlot(int index) {
    if (loopSlot_[index] < 0) loopSlot_[index] = nextSlot_++;
    return static_cast<std::uint32_t>(loopSlot_[index]);
  }

  bool isNullable(int index) {
    if (nullable_[index] >= 0) return nullable_[index];
    const Node& node = tree_.nodes[index];
    bool result = false;
    switch (node.kind) {
      case NodeKind::Empty:
      case NodeKind::Assertion: result = true; break;
      case NodeKind::Literal:
      case NodeKind::AnyButNewline:
      case NodeKind::Class: result = false; break;
      case NodeKind::Group: result = isNullable(node.children[0]); break;
      case NodeKind::Concat:
        result = std::all_of(node.children.begin(), node.children.end(),
                             [this](int child) { return isNullable(child); });
        break;
      case NodeKind::Alternate:
        result = std::any_of(node.children.begin(), node.children.end(),
                             [this](int child) { return isNullable(child); });
        break;
      case NodeKind::Repeat: result = node.min == 0 || isNullable(node.children[0]); break;
    }
    nullable_[index] = result;
    return result;
  }

  long long threadSlotsNeeded() const {
    long long threads = std::count_if(program_.code.begin(), program_.code.end(),
                                      [](const Instruction& in) { return isThreadStop(in.op); });
    return threads * program_.slotCount;
  }

  void findLiterals() {
    appendPrefix(tree_.root, program_.prefix);
    std::u16string run;
    std::vector<std::u16string> runs;
    collectLiteralRuns(tree_.root, run, runs);
    flushRun(run, runs);
    for (std::u16string& literal : runs) {
      if (literal != program_.prefix) program_.requiredLiterals.push_back(std::move(literal));
    }
    if (options_.ignoreCase) {
      canonicalize(program_.prefix);
      for (std::u16string& literal : program_.requiredLiterals) canonicalize(literal);
    }
    program_.anchoredAtTextStart = !options_.multiline && startsWithLineStart(tree_.root);
  }

  static void canonicalize(std::u16string& text) {
    for (char16_t& unit : text) unit = canonicalCase(unit);
  }

  // Appends the literal text every match of the node starts with; true when
  // that text is all the node can match, so a following node may add to it.
  bool appendPrefix(int index, std::u16string& prefix) const {
    const Node& node = tree_.nodes[index];
    switch (node.kind) {
      case NodeKind::Empty:
      case NodeKind::Assertion: return true;
      case NodeKind::Literal: prefix += node.unit; return true;
      case NodeKind::Group: return appendPrefix(node.children[0], prefix);
      case NodeKind::Concat:
        for (int child : node.children) {
          if (!appendPrefix(child, prefix)) return false;
        }
        return true;
      case NodeKind::Repeat:
        if (node.min > 0) appendPrefix(node.children[0], prefix);
        return false;
      default: return false;
    }
  }

  // Runs of literal units that every match contains, from the top-level sequence.
  void collectLiteralRuns(int index, std::u16string& run, std::vector<std::u16string>& runs) const {
    const Node& node = tree_.nodes[index];
    switch (node.kind) {
      case NodeKind::Empty:
      case NodeKind::Assertion: return;
      case NodeKind::Literal: run += node.unit; return;
      case NodeKind::Group: collectLiteralRuns(node.children[0], run, runs); return;
      case NodeKind::Concat:
        for (int child : node.children) collectLiteralRuns(child, run, runs);
        return;
      default: flushRun(run, runs); return;
    }
  }

  static void flushRun(std::u16string& run, std::vector<std::u16string>& runs) {
    if (!run.empty()) runs.push_back(std::move(run));
    run.clear();
  }

  bool startsWithLineStart(int index) const {
    const Node& node = tree_.nodes[index];
    if (node.kind == NodeKind::Assertion) return node.assertion == Assertion::LineStart;
    if (node.kind == NodeKind::Group) return startsWithLineStart(node.children[0]);
    if (node.kind == NodeKind::Concat) return !node.children.empty() && startsWithLineStart(node.children[0]);
    return false;
  }

  const SyntaxTree& tree_;
  CompileOptions options_;
  Program program_;
  std::vector<signed char> nullable_;
  std::vector<int> loopSlot_;
  int nextSlot_ = 0;
  std::int32_t currentScope_ = -1;
  bool tooLarge_ = false;
};

}  // namespace

CompileResult compileTree(const SyntaxTree& tree, CompileOptions options) {
  return Compiler(tree, options).run();
}

}  // namespace quorvane::regex
