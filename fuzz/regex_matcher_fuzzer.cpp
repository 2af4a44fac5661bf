// Input: [options][pattern length][pattern][subject], both local (GBK)
// bytes as a page arrives. Option bits: 0 case sensitive, 1 multiline,
// 2 global. Every reported position must point at the reported text, since
// callers cut the page at those offsets.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "pattern_input.h"
#include "platform/code_pages.h"
#include "web/encodings.h"
#include "web/regex_matcher.h"

using namespace quorvane;

namespace {

// A subject that converts to units and back unchanged is cut by byte
// offsets, so its texts must be the very bytes at their positions.
bool roundTrips(std::string_view subject) {
  if (subject.empty()) return true;
  const Utf16Text units = platform::multiByteToUtf16(subject, platform::kLocalCodePage);
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
  (void)matcher.replace("[$1]");
  return 0;
}
