#include "web/regex_matcher.h"

#include <optional>

#include "platform/code_pages.h"
#include "web/encodings.h"
#include "web/gbk_unit_offsets.h"
#include "web/regex/regex.h"
#include "web/regex/replacement.h"

namespace quorvane {
namespace {

constexpr int kNoPosition = -1;

// Local text to the units the engine matches on; nullopt when the
// conversion refuses a non-empty text.
std::optional<Utf16Text> toUnits(std::string_view local) {
  if (local.empty()) return Utf16Text();
  Utf16Text units = platform::multiByteToUtf16(local, platform::kLocalCodePage);
  if (units.empty()) return std::nullopt;
  return units;
}

// A subject in both forms: the local text and the units the engine runs on.
struct ConvertedSubject {
  LocalText local;
  Utf16Text units;
  std::optional<GbkUnitOffsets> offsets;  // nullopt: cut by converting back
};

// The search runs seven patterns over each page, so the last subject
// converted on this thread is kept for the next matcher that gets it.
std::shared_ptr<const ConvertedSubject> convertSubject(std::string_view subject) {
  thread_local std::shared_ptr<const ConvertedSubject> last;
  if (last && last->local == subject) return last;
  std::optional<Utf16Text> units = toUnits(subject);
  if (!units) return nullptr;
  auto converted = std::make_shared<ConvertedSubject>();
  converted->local = LocalText(subject);
  converted->units = std::move(*units);
  converted->offsets = GbkUnitOffsets::of(converted->local, converted->units.size());
  last = converted;
  return converted;
}

}  // namespace

// What one execute left behind. Never changed after it is built, so copies
// of a matcher can share it.
struct RegexMatcher::State {
  LocalText pattern;
  std::shared_ptr<const ConvertedSubject> subject;  // null until a pattern ran
  regex::MatchList matches;

  bool hasGroup(int match, int group) const {
    return match >= 1 && static_cast<size_t>(match) <= matches.size() && group >= 0 &&
           group <= matches.groupCount();
  }

  LocalText text(int match, int group, int* position) const {
    if (position) *position = kNoPosition;
    if (!hasGroup(match, group) || !matches.participated(match - 1, group)) return {};
    size_t start = matches.start(match - 1, group);
    size_t end = matches.end(match - 1, group);
    if (position) *position = static_cast<int>(byteOffset(start));
    if (subject->offsets) {
      size_t first = byteOffset(start);
      return subject->local.substr(first, byteOffset(end) - first);
    }
    return utf16ToLocal(std::u16string_view(subject->units).substr(start, end - start));
  }

  size_t byteOffset(size_t unit) const {
    if (subject->offsets) return subject->offsets->byteOffset(subject->local, unit);
    return utf16ToLocal(std::u16string_view(subject->units).substr(0, unit)).size();
  }
};

RegexMatcher::RegexMatcher() : state_(std::make_shared<State>()) {}
RegexMatcher::~RegexMatcher() = default;
RegexMatcher::RegexMatcher(const RegexMatcher& other) = default;
RegexMatcher& RegexMatcher::operator=(const RegexMatcher& other) = default;

bool RegexMatcher::execute(std::string_view pattern, std::string_view subject, bool caseSensitive,
                           bool multiline, bool global) {
  auto next = std::make_shared<State>();
  next->pattern = LocalText(pattern);
  state_ = next;
  std::optional<Utf16Text> patternUnits = toUnits(pattern);
  if (!patternUnits) return false;
  regex::Regex expression(*patternUnits, {!caseSensitive, multiline, global});
  if (!expression.ok()) return false;
  std::shared_ptr<const ConvertedSubject> converted = convertSubject(subject);
  if (!converted) return false;
  next->matches = expression.findAll(converted->units);
  next->subject = std::move(converted);
  return true;
}

LocalText RegexMatcher::pattern() const { return state_->pattern; }

LocalText RegexMatcher::replace(std::string_view replacement) const {
  if (!state_->subject) return {};
  std::optional<Utf16Text> replacementUnits = toUnits(replacement);
  if (!replacementUnits) return {};
  return utf16ToLocal(regex::replaceMatches(state_->subject->units, state_->matches, *replacementUnits));
}

int RegexMatcher::matchCount() const { return static_cast<int>(state_->matches.size()); }

LocalText RegexMatcher::matchText(int match, int* position) const {
  return state_->text(match, 0, position);
}

LocalText RegexMatcher::subMatchText(int match, int group, int* position) const {
  if (group < 1) {
    if (position) *position = kNoPosition;
    return {};
  }
  return state_->text(match, group, position);
}

int RegexMatcher::subMatchCount() const {
  return state_->matches.empty() ? 0 : state_->matches.groupCount();
}

}  // namespace quorvane
