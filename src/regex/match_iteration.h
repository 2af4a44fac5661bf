#pragma once
// How a run collects its matches, whatever finds them (the Pike VM, a field
// scan): each search begins where the last match ended, one unit further on
// after an empty match; without `global` the first match is all.
#include <cstdint>
#include <vector>

#include "regex/regex.h"

namespace quorvane::regex {

// `search(from, captures)` finds the leftmost match at or after `from`.
template <typename Search>
MatchList collectMatches(Search search, size_t subjectSize, int groupCount, bool global) {
  MatchList matches(groupCount);
  std::vector<std::int32_t> bounds;
  size_t from = 0;
  while (from <= subjectSize && search(from, bounds)) {
    matches.append(bounds);
    if (!global) break;
    const size_t start = bounds[0];
    const size_t end = bounds[1];
    from = end == start ? end + 1 : end;
  }
  return matches;
}

}  // namespace quorvane::regex
