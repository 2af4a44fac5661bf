#pragma once
// ECMAScript's pattern semantics transcribed literally: the continuation-
// passing backtracking matcher of the ECMAScript standard (RegExp
// pattern semantics, RepeatMatcher included), run over our parser's syntax
// tree. Exponential and recursive, for tiny patterns and subjects only, and
// it gives up (TooManySteps) past a budget of steps; it is the reference
// where std::regex departs from ECMAScript (it accepts an empty iteration of
// a loop that ECMAScript rejects).
#include <functional>
#include <string_view>
#include <vector>

#include "regex/case_folding.h"
#include "regex/syntax_tree.h"

namespace quorvane::regex::testing {

class EcmaScriptBacktracker {
 public:
  using Captures = std::vector<int>;  // two per group, group 0 first; -1 unset
  struct TooManySteps {};
  static constexpr long kStepBudget = 200000;

  EcmaScriptBacktracker(const SyntaxTree& tree, bool ignoreCase, bool multiline)
      : tree_(tree), ignoreCase_(ignoreCase), multiline_(multiline) {
    for (const CharClass& set : tree.classes) classes_.push_back(ignoreCase ? set.caseCanonical() : set);
  }

  // The match that starts leftmost at or after `from`; throws TooManySteps.
  bool search(std::u16string_view subject, size_t from, Captures& captures) {
    subject_ = subject;
    steps_ = 0;
    for (size_t start = from; start <= subject.size(); ++start) {
      Captures initial(2 * (tree_.groupCount + 1), -1);
      bool found = match(tree_.root, start, initial, [&](size_t end, Captures result) {
        result[0] = static_cast<int>(start);
        result[1] = static_cast<int>(end);
        captures = result;
        return true;
      });
      if (found) return true;
    }
    return false;
  }

 private:
  using Continuation = std::function<bool(size_t, Captures)>;
  static constexpr int kInfinite = -1;

  bool match(int index, size_t at, Captures captures, const Continuation& next) {
    if (++steps_ > kStepBudget) throw TooManySteps{};
    const Node& node = tree_.nodes[index];
    switch (node.kind) {
      case NodeKind::Empty: return next(at, captures);
      case NodeKind::Literal:
        return at < subject_.size() && fold(subject_[at]) == fold(node.unit) && next(at + 1, captures);
      case NodeKind::AnyButNewline:
        return at < subject_.size() && subject_[at] != u'\n' && next(at + 1, captures);
      case NodeKind::Class:
        return at < subject_.size() && classes_[node.classIndex].contains(fold(subject_[at])) != node.negated &&
               next(at + 1, captures);
      case NodeKind::Group:
        return match(node.children[0], at, captures, [&](size_t end, Captures inner) {
          inner[2 * node.group] = static_cast<int>(at);
          inner[2 * node.group + 1] = static_cast<int>(end);
          return next(end, inner);
        });
      case NodeKind::Concat: return matchSequence(node, 0, at, captures, next);
      case NodeKind::Alternate:
        for (int child : node.children) {
          if (match(child, at, captures, next)) return true;
        }
        return false;
      case NodeKind::Assertion: return assertionHolds(node.assertion, at) && next(at, captures);
      case NodeKind::Repeat: return repeat(node, node.min, node.max, at, captures, next);
    }
    return false;
  }

  bool matchSequence(const Node& node, size_t child, size_t at, Captures captures, const Continuation& next) {
    if (child == node.children.size()) return next(at, captures);
    return match(node.children[child], at, captures, [&](size_t end, Captures inner) {
      return matchSequence(node, child + 1, end, inner, next);
    });
  }

  // RepeatMatcher: an iteration that is optional (min is 0) and consumed
  // nothing fails; each iteration starts with the body's groups unset.
  bool repeat(const Node& node, int min, int max, size_t at, Captures captures, const Continuation& next) {
    if (max == 0) return next(at, captures);
    Continuation again = [&, min, max, at](size_t end, Captures inner) {
      if (min == 0 && end == at) return false;
      return repeat(node, min == 0 ? 0 : min - 1, max == kInfinite ? kInfinite : max - 1, end, inner, next);
    };
    Captures fresh = captures;
    for (int group = node.firstGroup; group < node.endGroup; ++group) fresh[2 * group] = fresh[2 * group + 1] = -1;
    if (min != 0) return match(node.children[0], at, fresh, again);
    if (!node.greedy) return next(at, captures) || match(node.children[0], at, fresh, again);
    return match(node.children[0], at, fresh, again) || next(at, captures);
  }

  bool assertionHolds(Assertion assertion, size_t at) const {
    const bool atStart = at == 0;
    const bool atEnd = at == subject_.size();
    switch (assertion) {
      case Assertion::LineStart: return atStart || (multiline_ && isLineTerminator(subject_[at - 1]));
      case Assertion::LineEnd: return atEnd || (multiline_ && isLineTerminator(subject_[at]));
      case Assertion::WordBoundary:
      case Assertion::NotWordBoundary: {
        const bool before = !atStart && isWordUnit(subject_[at - 1]);
        const bool after = !atEnd && isWordUnit(subject_[at]);
        return (before != after) == (assertion == Assertion::WordBoundary);
      }
    }
    return false;
  }

  static bool isLineTerminator(char16_t unit) {
    return unit == u'\n' || unit == u'\r' || unit == 0x2028 || unit == 0x2029;
  }

  static bool isWordUnit(char16_t unit) {
    return (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z') ||
           unit == u'_';
  }

  char16_t fold(char16_t unit) const { return ignoreCase_ ? canonicalCase(unit) : unit; }

  const SyntaxTree& tree_;
  bool ignoreCase_;
  bool multiline_;
  std::vector<CharClass> classes_;
  std::u16string_view subject_;
  long steps_ = 0;
};

}  // namespace quorvane::regex::testing
