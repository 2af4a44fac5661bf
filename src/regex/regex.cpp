#include "regex/regex.h"

#include <limits>

#include "regex/compiler.h"
#include "regex/field_scan.h"
#include "regex/field_text.h"
#include "regex/match_iteration.h"
#include "regex/parser.h"
#include "regex/pike_vm.h"

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

const FieldShape* Regex::fieldShape() const {
  return program_ && program_->fieldShape ? &*program_->fieldShape : nullptr;
}

MatchList Regex::findAll(std::u16string_view subject) const {
  // Positions are kept in 32 bits.
  if (!program_ || subject.size() > static_cast<size_t>(std::numeric_limits<std::int32_t>::max() - 1))
    return MatchList(groupCount());
  if (const FieldShape* shape = fieldShape()) {
    const FieldText text(subject, *shape, options_.ignoreCase);
    FieldScan scan(text);
    return collectMatches([&](size_t from, std::vector<std::int32_t>& bounds) { return scan.search(from, bounds); },
                          subject.size(), groupCount(), options_.global);
  }
  PikeVm vm(*program_);
  return collectMatches([&](size_t from, std::vector<std::int32_t>& bounds) { return vm.search(subject, from, bounds); },
                        subject.size(), groupCount(), options_.global);
}

}  // namespace quorvane::regex
