#include "regex/field_shape.h"

namespace quorvane::regex {
namespace {

// The pattern as a flat sequence of top-level nodes, with concatenations
// (non-capturing groups included) opened and empty nodes left out.
void flatten(const SyntaxTree& tree, int index, std::vector<int>& sequence) {
  const Node& node = tree.nodes[index];
  if (node.kind == NodeKind::Empty) return;
  if (node.kind != NodeKind::Concat) {
    sequence.push_back(index);
    return;
  }
  for (int child : node.children) flatten(tree, child, sequence);
}

// "(.*?)": group 1 around a lazy, unbounded repetition of ".".
bool isLazyLineCapture(const SyntaxTree& tree, const Node& node) {
  if (node.kind != NodeKind::Group || node.group != 1) return false;
  const Node& repeat = tree.nodes[node.children[0]];
  return repeat.kind == NodeKind::Repeat && repeat.min == 0 && repeat.max == kUnbounded && !repeat.greedy &&
         tree.nodes[repeat.children[0]].kind == NodeKind::AnyButNewline;
}

}  // namespace

std::optional<FieldShape> fieldShapeOf(const SyntaxTree& tree) {
  if (tree.groupCount != 1) return std::nullopt;
  std::vector<int> sequence;
  flatten(tree, tree.root, sequence);
  FieldShape shape;
  bool captured = false;
  for (int index : sequence) {
    const Node& node = tree.nodes[index];
    if (node.kind == NodeKind::Literal) {
      (captured ? shape.right : shape.left) += node.unit;
    } else if (!captured && isLazyLineCapture(tree, node)) {
      captured = true;
    } else {
      return std::nullopt;
    }
  }
  if (!captured || shape.left.empty() || shape.right.empty()) return std::nullopt;
  return shape;
}

}  // namespace quorvane::regex
