#pragma once
// A regular expression compiled once for matching local text: the pattern as
// written, its options and the engine's program. Never changed once built,
// so one compiled pattern serves any number of matches on any thread.
#include <memory>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace quorvane {

namespace regex {
class Regex;
}

struct MatchOptions {
  bool caseSensitive = false;
  bool multiline = true;  // "^" and "$" at line breaks
  bool global = true;     // every match, or only the first
};

class LocalPattern {
 public:
  explicit LocalPattern(std::string_view pattern, MatchOptions options = {});

  // False for a pattern the engine rejects or that does not convert; such a
  // pattern matches nothing.
  bool ok() const { return expression_ != nullptr; }
  const LocalText& text() const { return text_; }
  // The compiled program; null when not ok.
  const std::shared_ptr<const regex::Regex>& expression() const { return expression_; }

  // Group `group` (0 for the whole match) of every match in `local`, in
  // order, "" where the group took no part: read straight from `local`,
  // which is never copied when the pattern can scan it as bytes (the
  // search's field patterns). Empty when not ok.
  std::vector<LocalText> captures(std::string_view local, int group = 1) const;

 private:
  LocalText text_;
  std::shared_ptr<const regex::Regex> expression_;
};

}  // namespace quorvane
