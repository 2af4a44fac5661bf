#pragma once
// Runs one regular expression over a local text and keeps every match, for
// reading out capture groups by 1-based match and group numbers.
#include <memory>
#include <string_view>

#include "text/text.h"

namespace quorvane {

class LocalPattern;

class RegexMatcher {
 public:
  RegexMatcher();
  ~RegexMatcher();
  RegexMatcher(const RegexMatcher& other);
  RegexMatcher& operator=(const RegexMatcher& other);

  // True when the pattern compiled and ran (also with no match); false for a
  // pattern it rejects or cannot run, which leaves no matches.
  bool execute(std::string_view pattern, std::string_view subject, bool caseSensitive = false,
               bool multiline = true, bool global = true);
  // The same with a pattern compiled beforehand, which the matcher shares.
  bool execute(const LocalPattern& pattern, std::string_view subject);

  LocalText pattern() const;
  LocalText replace(std::string_view replacement) const;
  int matchCount() const;
  // `position`, when given, receives the 0-based byte offset of the text in
  // the subject, or -1 for a match or group that does not exist or took no
  // part. Numbers outside the matches give "".
  LocalText matchText(int match, int* position = nullptr) const;
  LocalText subMatchText(int match, int group, int* position = nullptr) const;
  int subMatchCount() const;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace quorvane
