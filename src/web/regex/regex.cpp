#include "web/regex/regex.h"

#include <limits>

#include "web/regex/compiler.h"
#include "web/regex/parser.h"
#include "web/regex/pike_vm.h"

namespace quorvane::regex {

std::u16string_view MatchList::text(std::u16string_view subject, size_t match, int group) const {
  if (!participated(match, group)) return {};
  return subject.substr(start(match, group), end(match, group) - start(match, group));
}

void MatchList::append(const std::vector<std::int32_t>& bounds) {
  bounds_.insert(bounds_.end(), bounds.begin(), bounds.begin() + boundsPerMatch());
}

Regex::Regex(std::u16string_view pattern, RegexOptions options) : options_(options) {
  ParseResult parsed = parsePattern(pattern);
  status_ = parsed.status;
  if (status_ != Status::Ok) return;
  CompileResult compiled = compileTree(parsed.tree, {options.ignoreCase, options.multiline});
  status_ = compiled.status;
  if (status_ == Status::Ok) program_ = std::make_shared<const Program>(std::move(compiled.program));
}

int Regex::groupCount() const { return program_ ? program_->groupCount : 0; }

MatchList Regex::findAll(std::u16string_view subject) const {
  MatchList matches(groupCount());
  // Positions are kept in 32 bits.
  if (!program_ || subject.size() > static_cast<size_t>(std::numeric_limits<std::int32_t>::max() - 1))
    return matches;
  PikeVm vm(*program_);
  std::vector<std::int32_t> bounds;
  size_t from = 0;
  while (from <= subject.size() && vm.search(subject, from, bounds)) {
    matches.append(bounds);
    if (!options_.global) break;
    size_t start = bounds[0];
    size_t end = bounds[1];
    from = end == start ? end + 1 : end;
  }
  return matches;
}

}  // namespace quorvane::regex
