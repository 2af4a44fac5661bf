#include "text/regex_matcher.h"

#include <optional>

#include "regex/regex.h"
#include "regex/replacement.h"
#include "text/encodings.h"
#include "text/gbk_unit_offsets.h"
#include "text/local_field_scan.h"
#include "text/local_pattern.h"

namespace quorvane {
namespace {

constexpr int kNoPosition = -1;

// Local text to the units the engine matches on; nullopt when the
// conversion refuses a non-empty text.
std::optional<Utf16Text> toUnits(std::string_view local) {
  if (local.empty()) return Utf16Text();
  Utf16Text units = localToUtf16(local);
  if (units.empty()) return std::nullopt;
  return units;
}

// A subject in both forms: the local text and the units the engine runs on.
struct ConvertedSubject {
  LocalText local;
  Utf16Text units;
  std::optional<GbkUnitOffsets> offsets;  // nullopt: cut by converting back
};

// Several matchers often run in turn over one text, so the last subject
// converted on this thread is kept for the next matcher that needs it (the
// search's field patterns need none: they scan the local text itself).
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
  std::shared_ptr<const regex::Regex> expression;  // once the pattern compiled
  // The subject as local text (null until a pattern ran), and its wide form
  // when the pattern ran on that: the matches' positions count its units;
  // without it they count the local text's bytes (a field scan).
  std::shared_ptr<const LocalText> local;
  std::shared_ptr<const ConvertedSubject> converted;
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
    if (!converted) {
      if (position) *position = static_cast<int>(start);
      return local->substr(start, end - start);
    }
    if (position) *position = static_cast<int>(byteOffset(start));
    if (converted->offsets) {
      size_t first = byteOffset(start);
      return converted->local.substr(first, byteOffset(end) - first);
    }
    return utf16ToLocal(std::u16string_view(converted->units).substr(start, end - start));
  }

  size_t byteOffset(size_t unit) const {
    if (converted->offsets) return converted->offsets->byteOffset(converted->local, unit);
    return utf16ToLocal(std::u16string_view(converted->units).substr(0, unit)).size();
  }

  // The wide form and the matches with positions in its units, which a
  // field scan over the local text did not need: found again on the wide
  // form, where the engine finds the same matches.
  std::optional<std::pair<std::shared_ptr<const ConvertedSubject>, regex::MatchList>> wideMatches() const {
    if (converted) return std::pair{converted, matches};
    std::shared_ptr<const ConvertedSubject> wide = convertSubject(*local);
    if (!wide) return std::nullopt;
    return std::pair{wide, expression->findAll(wide->units)};
  }
};

RegexMatcher::RegexMatcher() : state_(std::make_shared<State>()) {}
RegexMatcher::~RegexMatcher() = default;
RegexMatcher::RegexMatcher(const RegexMatcher& other) = default;
RegexMatcher& RegexMatcher::operator=(const RegexMatcher& other) = default;

bool RegexMatcher::execute(std::string_view pattern, std::string_view subject, bool caseSensitive,
                           bool multiline, bool global) {
  return execute(LocalPattern(pattern, {caseSensitive, multiline, global}), subject);
}

bool RegexMatcher::execute(const LocalPattern& pattern, std::string_view subject) {
  auto next = std::make_shared<State>();
  next->pattern = pattern.text();
  state_ = next;
  if (!pattern.ok()) return false;
  next->expression = pattern.expression();
  if (std::optional<regex::MatchList> fields = findFieldsInLocalText(*next->expression, subject)) {
    next->local = std::make_shared<const LocalText>(subject);
    next->matches = std::move(*fields);
    return true;
  }
  std::shared_ptr<const ConvertedSubject> converted = convertSubject(subject);
  if (!converted) return false;
  next->matches = next->expression->findAll(converted->units);
  next->local = std::shared_ptr<const LocalText>(converted, &converted->local);
  next->converted = std::move(converted);
  return true;
}

LocalText RegexMatcher::pattern() const { return state_->pattern; }

LocalText RegexMatcher::replace(std::string_view replacement) const {
  if (!state_->local) return {};
  std::optional<Utf16Text> replacementUnits = toUnits(replacement);
  if (!replacementUnits) return {};
  const auto wide = state_->wideMatches();
  if (!wide) return {};
  return utf16ToLocal(regex::replaceMatches(wide->first->units, wide->second, *replacementUnits));
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
