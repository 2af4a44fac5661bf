// Input: [options][pattern length][pattern][subject], both local (GBK)
// bytes as a page arrives. Option bits: 0 case sensitive, 1 multiline,
// 2 global. Every reported position must point at the reported text, since
// callers cut the page at those offsets, and every match must be the one
// the engine finds on the subject's wide form (field patterns are scanned
// over the local bytes instead).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "pattern_input.h"
#include "regex/regex.h"
#include "text/code_pages.h"
#include "text/encodings.h"
#include "text/gbk_unit_offsets.h"
#include "text/local_pattern.h"
#include "text/regex_matcher.h"

using namespace quorvane;

namespace {

// A subject that converts to units and back unchanged is cut by byte
// offsets, so its texts must be the very bytes at their positions.
bool roundTrips(std::string_view subject) {
  if (subject.empty()) return true;
  const Utf16Text units = multiByteToUtf16(subject, kLocalCodePage);
  return !units.empty() && utf16ToLocal(units) == subject;
}

void checkText(const LocalText& text, int position, std::string_view subject, bool exact) {
  if (position < 0) {
    FUZZ_CHECK(position == -1 && text.empty());
    return;
  }
  FUZZ_CHECK(static_cast<size_t>(position) <= subject.size());
  if (exact) FUZZ_CHECK(subject.substr(static_cast<size_t>(position), text.size()) == text);
}

// The engine's matches on this port's conversion of the subject, each
// turned into its byte position and text, against what the matcher reports.
void checkAgainstTheWideForm(const RegexMatcher& matcher, std::string_view pattern, std::string_view subject,
                             uint8_t options) {
  const Utf16Text patternUnits = multiByteToUtf16(pattern, kLocalCodePage);
  const Utf16Text units = subject.empty() ? Utf16Text() : multiByteToUtf16(subject, kLocalCodePage);
  const std::optional<GbkUnitOffsets> offsets = GbkUnitOffsets::of(subject, units.size());
  if ((!pattern.empty() && patternUnits.empty()) || !offsets) return;
  const regex::Regex expression(patternUnits, {!(options & 1), (options & 2) != 0, (options & 4) != 0});
  const regex::MatchList matches = expression.findAll(units);
  FUZZ_CHECK(static_cast<size_t>(matcher.matchCount()) == matches.size());
  for (size_t match = 0; match < matches.size(); ++match) {
    for (int group = 0; group <= matches.groupCount(); ++group) {
      int position = 0;
      const LocalText text = group == 0 ? matcher.matchText(static_cast<int>(match) + 1, &position)
                                        : matcher.subMatchText(static_cast<int>(match) + 1, group, &position);
      if (!matches.participated(match, group)) {
        FUZZ_CHECK(position == -1 && text.empty());
        continue;
      }
      const size_t start = offsets->byteOffset(subject, matches.start(match, group));
      const size_t end = offsets->byteOffset(subject, matches.end(match, group));
      FUZZ_CHECK(static_cast<size_t>(position) == start && text == subject.substr(start, end - start));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<PatternInput> input = splitPatternInput(data, size);
  if (!input) return 0;
  const uint8_t options = input->options;
  const std::string_view pattern = input->pattern, subject = input->subject;

  RegexMatcher matcher;
  const bool ran = matcher.execute(pattern, subject, options & 1, options & 2, options & 4);
  FUZZ_CHECK(matcher.pattern() == pattern);
  const int matches = matcher.matchCount();
  FUZZ_CHECK(matches >= 0 && (ran || matches == 0));
  FUZZ_CHECK((options & 4) || matches <= 1);

  const bool exact = roundTrips(subject);
  const int groups = matcher.subMatchCount();
  for (int match = 0; match <= matches + 1; ++match) {
    int position = 0;
    const LocalText whole = matcher.matchText(match, &position);
    const bool exists = match >= 1 && match <= matches;
    FUZZ_CHECK(exists ? position >= 0 : (position == -1 && whole.empty()));
    checkText(whole, position, subject, exact);
    for (int group = 0; group <= groups + 1; ++group) {
      const LocalText text = matcher.subMatchText(match, group, &position);
      if (group == 0 || group > groups) FUZZ_CHECK(position == -1 && text.empty());
      checkText(text, position, subject, exact);
    }
  }
  if (ran) checkAgainstTheWideForm(matcher, pattern, subject, options);
  // A compiled pattern reads the same captures as the matcher, without it.
  const LocalPattern compiled(pattern, {(options & 1) != 0, (options & 2) != 0, (options & 4) != 0});
  for (int group = 0; group <= std::min(groups, 2); ++group) {
    const std::vector<LocalText> captures = compiled.captures(subject, group);
    FUZZ_CHECK(captures.size() == static_cast<size_t>(ran ? matches : 0));
    for (int match = 1; ran && match <= matches; ++match)
      FUZZ_CHECK(captures[static_cast<size_t>(match - 1)] ==
                 (group == 0 ? matcher.matchText(match) : matcher.subMatchText(match, group)));
  }
  (void)matcher.replace("[$1]");
  return 0;
}
