#pragma once
// The parsed form of a pattern: nodes in one array, children by index.
#include <vector>

#include "regex/char_class.h"

namespace quorvane::regex {

enum class NodeKind { Empty, Literal, AnyButNewline, Class, Group, Concat, Alternate, Repeat, Assertion };

enum class Assertion { LineStart, LineEnd, WordBoundary, NotWordBoundary };

constexpr int kUnbounded = -1;

struct Node {
  NodeKind kind = NodeKind::Empty;
  char16_t unit = 0;                 // Literal
  int classIndex = -1;               // Class
  bool negated = false;              // Class: "[^...]"
  int group = 0;                     // Group: capture number, from 1
  int min = 0;                       // Repeat
  int max = 0;                       // Repeat, or kUnbounded
  bool greedy = true;                // Repeat
  int firstGroup = 0;                // Repeat: capture numbers opened inside,
  int endGroup = 0;                  //   firstGroup <= n < endGroup
  Assertion assertion = Assertion::LineStart;
  std::vector<int> children;         // Group and Repeat have one
};

struct SyntaxTree {
  std::vector<Node> nodes;
  std::vector<CharClass> classes;
  int root = -1;
  int groupCount = 0;
};

}  // namespace quorvane::regex
