#include "regex/program.h"

namespace quorvane::regex {

std::vector<std::uint32_t> threadStateOffsets(const Program& program) {
  std::vector<std::uint32_t> scopeDepth(program.scopes.size());
  for (size_t scope = 0; scope < program.scopes.size(); ++scope) {
    const std::int32_t parent = program.scopes[scope].parent;
    scopeDepth[scope] = parent < 0 ? 1 : scopeDepth[parent] + 1;
  }
  std::vector<std::uint32_t> offsets{0};
  offsets.reserve(program.code.size() + 1);
  for (size_t pc = 0; pc < program.code.size(); ++pc) {
    const std::int32_t scope = program.scopeOf[pc];
    const std::uint32_t freshCounts = isThreadStop(program.code[pc].op) || scope < 0 ? 1 : scopeDepth[scope] + 1;
    offsets.push_back(offsets.back() + freshCounts);
  }
  return offsets;
}

}  // namespace quorvane::regex
