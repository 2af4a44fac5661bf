#include "text/local_pattern.h"

#include <optional>

#include "regex/regex.h"
#include "text/encodings.h"
#include "text/local_field_scan.h"
#include "text/regex_matcher.h"

namespace quorvane {

LocalPattern::LocalPattern(std::string_view pattern, MatchOptions options) : text_(pattern) {
  const Utf16Text units = localToUtf16(pattern);
  if (units.empty() && !pattern.empty()) return;  // the conversion refused it
  auto expression = std::make_shared<const regex::Regex>(
      units, regex::RegexOptions{!options.caseSensitive, options.multiline, options.global});
  if (expression->ok()) expression_ = std::move(expression);
}

std::vector<LocalText> LocalPattern::captures(std::string_view local, int group) const {
  std::vector<LocalText> texts;
  if (!expression_ || group < 0 || group > expression_->groupCount()) return texts;
  if (std::optional<regex::MatchList> fields = findFieldsInLocalText(*expression_, local)) {
    texts.reserve(fields->size());
    for (size_t match = 0; match < fields->size(); ++match) {
      if (!fields->participated(match, group)) {
        texts.emplace_back();
        continue;
      }
      const size_t start = fields->start(match, group);
      texts.emplace_back(local.substr(start, fields->end(match, group) - start));
    }
    return texts;
  }
  RegexMatcher matcher;
  if (!matcher.execute(*this, local)) return texts;
  texts.reserve(static_cast<size_t>(matcher.matchCount()));
  for (int match = 1; match <= matcher.matchCount(); ++match)
    texts.push_back(group == 0 ? matcher.matchText(match) : matcher.subMatchText(match, group));
  return texts;
}

}  // namespace quorvane
