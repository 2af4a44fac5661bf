#pragma once
// Syntax tree to program, with the literal facts the search uses to skip
// ahead. Counted repetitions are unrolled, within the bounds of status.h.
#include "regex/program.h"
#include "regex/status.h"
#include "regex/syntax_tree.h"

namespace quorvane::regex {

struct CompileOptions {
  bool ignoreCase = false;
  bool multiline = false;
};

struct CompileResult {
  Status status = Status::Ok;
  Program program;
};

CompileResult compileTree(const SyntaxTree& tree, CompileOptions options);

}  // namespace quorvane::regex
