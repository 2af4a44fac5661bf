// Input: [options][pattern length][pattern][subject], pattern and subject
// read as UTF-8 (malformed bytes become U+FFFD). Option bits: 0 ignore case,
// 1 multiline, 2 global. The run must stay within libFuzzer's time limit
// (the engine is linear in the subject) and report consistent bounds; a
// pattern of the field shape, run as two literal scans, must find what the
// Pike VM finds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "pattern_input.h"
#include "regex/compiler.h"
#include "regex/match_iteration.h"
#include "regex/parser.h"
#include "regex/pike_vm.h"
#include "regex/regex.h"
#include "text/encodings.h"

using namespace quorvane;

namespace {

void checkBounds(const regex::MatchList& matches, size_t subjectSize, bool global) {
  FUZZ_CHECK(global || matches.size() <= 1);
  std::int32_t previousEnd = 0;
  for (size_t match = 0; match < matches.size(); ++match) {
    FUZZ_CHECK(matches.participated(match, 0));
    const std::int32_t start = matches.start(match, 0), end = matches.end(match, 0);
    FUZZ_CHECK(start >= previousEnd && start <= end && static_cast<size_t>(end) <= subjectSize);
    previousEnd = end;
    for (int group = 1; group <= matches.groupCount(); ++group) {
      if (!matches.participated(match, group)) {
        FUZZ_CHECK(matches.end(match, group) < 0);
        continue;
      }
      const std::int32_t groupStart = matches.start(match, group);
      const std::int32_t groupEnd = matches.end(match, group);
      FUZZ_CHECK(groupStart <= groupEnd && groupEnd >= 0);
      FUZZ_CHECK(static_cast<size_t>(groupEnd) <= subjectSize);
    }
  }
}

bool sameMatches(const regex::MatchList& a, const regex::MatchList& b) {
  if (a.size() != b.size() || a.groupCount() != b.groupCount()) return false;
  for (size_t match = 0; match < a.size(); ++match) {
    for (int group = 0; group <= a.groupCount(); ++group) {
      if (a.start(match, group) != b.start(match, group) || a.end(match, group) != b.end(match, group)) return false;
    }
  }
  return true;
}

regex::MatchList onPikeVm(const Utf16Text& pattern, const Utf16Text& subject, regex::RegexOptions options) {
  const regex::ParseResult parsed = regex::parsePattern(pattern);
  const regex::CompileResult compiled = regex::compileTree(parsed.tree, {options.ignoreCase, options.multiline});
  regex::PikeVm vm(compiled.program);
  return regex::collectMatches(
      [&](size_t from, std::vector<std::int32_t>& bounds) { return vm.search(subject, from, bounds); },
      subject.size(), compiled.program.groupCount, options.global);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<PatternInput> input = splitPatternInput(data, size);
  if (!input) return 0;
  const uint8_t options = input->options;
  const Utf16Text pattern = utf8ToUtf16(input->pattern);
  const Utf16Text subject = utf8ToUtf16(input->subject);

  const bool global = options & 4;
  const regex::Regex compiled(pattern, {(options & 1) != 0, (options & 2) != 0, global});
  const regex::MatchList matches = compiled.findAll(subject);
  if (!compiled.ok()) {
    FUZZ_CHECK(matches.empty());
    return 0;
  }
  FUZZ_CHECK(matches.empty() || matches.groupCount() == compiled.groupCount());
  checkBounds(matches, subject.size(), global);
  if (compiled.fieldShape()) FUZZ_CHECK(sameMatches(matches, onPikeVm(pattern, subject, compiled.options())));
  return 0;
}
