// Our engine against two references over many random small patterns and
// subjects, asking for the same matches and the same groups: libstdc++'s
// std::regex (ECMAScript grammar) where it follows ECMAScript, and for loops
// whose body can match the empty text, where std::regex accepts an empty
// iteration that ECMAScript rejects, a literal transcription of ECMAScript's
// own matcher (ecmascript_backtracker.h).
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>
#include <vector>

#include "ecmascript_backtracker.h"
#include "regex/parser.h"
#include "regex/regex.h"

namespace quorvane::regex {
namespace {

// Random patterns from the constructs both engines share. Carriage returns
// are left out on purpose: our "." crosses them, std::regex's does not.
class PatternGenerator {
 public:
  // With `nullableLoops`, pieces that can match the empty text are
  // quantified too, and groups (so nested quantifiers) are more frequent.
  explicit PatternGenerator(unsigned seed, bool nullableLoops = false)
      : random_(seed), nullableLoops_(nullableLoops) {}

  std::string pattern() {
    groupCount_ = 0;
    repeatedGroups_.clear();
    hasNullableLoop_ = false;
    return disjunction(0);
  }

  // Whether the last pattern repeats a piece that can match the empty text.
  bool hasNullableLoop() const { return hasNullableLoop_; }

  // Groups inside a repeated piece: ECMAScript unsets them at each iteration,
  // libstdc++ keeps the previous iteration's capture.
  const std::vector<int>& repeatedGroups() const { return repeatedGroups_; }

  std::string subject(std::string_view alphabet) {
    std::string text;
    int length = pick(9);
    for (int i = 0; i < length; ++i) text += alphabet[pick(static_cast<int>(alphabet.size()))];
    return text;
  }

 private:
  int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

  // Each piece comes with whether it can match the empty text. Unless asked
  // for nullable loops, only pieces that cannot are quantified: libstdc++
  // accepts an empty iteration of a loop where ECMAScript rejects it, so
  // there std::regex is no reference.
  struct Piece {
    std::string text;
    bool nullable;
    int firstGroup = 0;
    int endGroup = 0;
  };

  std::string disjunction(int depth) { return disjunctionPiece(depth).text; }

  Piece disjunctionPiece(int depth) {
    Piece piece = alternative(depth);
    if (pick(4) == 0) {
      Piece other = alternative(depth);
      piece = {piece.text + "|" + other.text, piece.nullable || other.nullable, piece.firstGroup, other.endGroup};
    }
    return piece;
  }

  Piece alternative(int depth) {
    Piece piece{"", true, groupCount_ + 1, groupCount_ + 1};
    int terms = 1 + pick(3);
    for (int i = 0; i < terms; ++i) {
      Piece next = term(depth);
      piece = {piece.text + next.text, piece.nullable && next.nullable, piece.firstGroup, next.endGroup};
    }
    return piece;
  }

  Piece term(int depth) {
    static const char* const kAssertions[] = {"^", "$", "\\b", "\\B"};
    if (pick(8) == 0) return {kAssertions[pick(4)], true, groupCount_ + 1, groupCount_ + 1};
    Piece piece = atom(depth);
    static const Piece kQuantifiers[] = {{"*", true},     {"+", false},   {"?", true},    {"{2}", false},
                                         {"{0,2}", true}, {"{1,}", false}, {"{1,3}", false}};
    if ((!piece.nullable || nullableLoops_) && pick(2) == 0) {
      const Piece& quantifier = kQuantifiers[pick(7)];
      if (piece.nullable) hasNullableLoop_ = true;
      for (int group = piece.firstGroup; group < piece.endGroup; ++group) repeatedGroups_.push_back(group);
      piece.text += quantifier.text;
      piece.nullable = quantifier.nullable;
      if (pick(3) == 0) piece.text += "?";
    }
    return piece;
  }

  Piece atom(int depth) {
    static const char* const kAtoms[] = {"a", "b", "c", "A", ".", "[ab]", "[^a]", "[a-c]", "\\d",
                                         "\\w", "\\s", "\\W", "[\\dA]", "\\n", " "};
    int firstGroup = groupCount_ + 1;
    if (depth < 3 && pick(nullableLoops_ ? 2 : 4) == 0) {
      bool capturing = pick(3) != 0;
      if (capturing) ++groupCount_;
      Piece inner = disjunctionPiece(depth + 1);
      return {(capturing ? "(" : "(?:") + inner.text + ")", inner.nullable, firstGroup, groupCount_ + 1};
    }
    return {kAtoms[pick(15)], false, firstGroup, firstGroup};
  }

  std::mt19937 random_;
  bool nullableLoops_;
  bool hasNullableLoop_ = false;
  int groupCount_ = 0;
  std::vector<int> repeatedGroups_;
};

struct Found {
  bool compiled = false;
  bool decided = true;  // false: the reference gave up
  std::vector<std::vector<std::pair<int, int>>> matches;  // per match, per group (-1,-1 unset)
};

std::u16string widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

Found ours(const std::string& pattern, const std::string& subject, bool ignoreCase, bool multiline) {
  Found found;
  Regex regex(widen(pattern), {ignoreCase, multiline, true});
  found.compiled = regex.ok();
  std::u16string text = widen(subject);
  MatchList matches = regex.findAll(text);
  for (size_t match = 0; match < matches.size(); ++match) {
    std::vector<std::pair<int, int>> groups;
    for (int group = 0; group <= matches.groupCount(); ++group)
      groups.emplace_back(matches.start(match, group), matches.end(match, group));
    found.matches.push_back(groups);
  }
  return found;
}

// The same iteration with std::regex_search: after an empty match the next
// search starts one character later.
bool reference(const std::string& pattern, const std::string& subject, bool ignoreCase, bool multiline,
               Found& found) {
  try {
    auto flags = std::regex::ECMAScript;
    if (ignoreCase) flags |= std::regex::icase;
    if (multiline) flags |= std::regex::multiline;
    std::regex regex(pattern, flags);
    found.compiled = true;
    size_t from = 0;
    while (from <= subject.size()) {
      std::smatch match;
      auto mode = from > 0 ? std::regex_constants::match_prev_avail : std::regex_constants::match_default;
      if (!std::regex_search(subject.begin() + from, subject.end(), match, regex, mode)) break;
      std::vector<std::pair<int, int>> groups;
      for (size_t group = 0; group < match.size(); ++group) {
        if (!match[group].matched) {
          groups.emplace_back(-1, -1);
          continue;
        }
        int start = static_cast<int>(match[group].first - subject.begin());
        groups.emplace_back(start, start + static_cast<int>(match[group].length()));
      }
      found.matches.push_back(groups);
      size_t start = groups[0].first;
      size_t end = groups[0].second;
      from = end == start ? end + 1 : end;
    }
    return true;
  } catch (const std::regex_error&) {
    return false;
  }
}

// ECMAScript's matcher, with the same iteration.
Found backtracking(const std::string& pattern, const std::string& subject, bool ignoreCase, bool multiline) {
  Found found;
  ParseResult parsed = parsePattern(widen(pattern));
  found.compiled = parsed.status == Status::Ok;
  if (!found.compiled) return found;
  testing::EcmaScriptBacktracker matcher(parsed.tree, ignoreCase, multiline);
  std::u16string text = widen(subject);
  testing::EcmaScriptBacktracker::Captures captures;
  try {
    size_t from = 0;
    while (from <= text.size() && matcher.search(text, from, captures)) {
      std::vector<std::pair<int, int>> groups;
      for (size_t slot = 0; slot < captures.size(); slot += 2) groups.emplace_back(captures[slot], captures[slot + 1]);
      found.matches.push_back(groups);
      size_t start = captures[0];
      size_t end = captures[1];
      from = end == start ? end + 1 : end;
    }
  } catch (const testing::EcmaScriptBacktracker::TooManySteps&) {
    found.decided = false;
  }
  return found;
}

std::string show(const Found& found) {
  std::string out;
  for (const auto& match : found.matches) {
    out += "[";
    for (auto [start, end] : match) out.append(" ").append(std::to_string(start)).append("-").append(std::to_string(end));
    out += " ]";
  }
  return out.empty() ? "none" : out;
}

// Same matches and groups, except that a repeated group we report unset may
// hold a stale capture in the reference.
bool agree(const Found& actual, Found expected, const std::vector<int>& repeatedGroups) {
  if (actual.matches.size() != expected.matches.size()) return false;
  for (size_t match = 0; match < actual.matches.size(); ++match) {
    for (int group : repeatedGroups) {
      if (actual.matches[match][group].first < 0) expected.matches[match][group] = {-1, -1};
    }
  }
  return show(actual) == show(expected);
}

TEST(RegexDifferential, AgreesWithStdRegexOnRandomPatterns) {
  PatternGenerator generator(20261209);
  int compared = 0;
  int mismatches = 0;
  for (int round = 0; round < 12000; ++round) {
    std::string pattern = generator.pattern();
    bool ignoreCase = round % 3 == 0;
    bool multiline = round % 2 == 0;
    for (int s = 0; s < 4; ++s) {
      std::string subject = generator.subject(ignoreCase ? "aAbBc1 \n" : "abc1A \n");
      Found expected;
      if (!reference(pattern, subject, ignoreCase, multiline, expected)) continue;
      Found actual = ours(pattern, subject, ignoreCase, multiline);
      ++compared;
      if (actual.compiled && agree(actual, expected, generator.repeatedGroups())) continue;
      if (++mismatches <= 20)
        ADD_FAILURE() << "pattern /" << pattern << "/" << (ignoreCase ? "i" : "") << (multiline ? "m" : "")
                      << " over \"" << subject << "\": ours " << (actual.compiled ? show(actual) : "refused")
                      << ", std::regex " << show(expected);
    }
  }
  EXPECT_GT(compared, 40000);
  EXPECT_EQ(mismatches, 0);
}

// Loops over nullable bodies, nested ones among them: "(?:a*?)*" over "aa"
// matches "aa" and then the empty text at its end, and "(a?b??)*" over "ab"
// matches "ab" with group 1 = "b".
TEST(RegexDifferential, NestedQuantifiersOverNullableBodiesFollowEcmaScript) {
  PatternGenerator generator(20261210, true);
  int compared = 0;
  int mismatches = 0;
  for (int round = 0; compared < 24000 && round < 100000; ++round) {
    std::string pattern = generator.pattern();
    if (!generator.hasNullableLoop()) continue;
    bool ignoreCase = round % 3 == 0;
    bool multiline = round % 2 == 0;
    for (int s = 0; s < 4; ++s) {
      std::string subject = generator.subject(ignoreCase ? "aAbBc1 \n" : "abc1A \n");
      Found expected = backtracking(pattern, subject, ignoreCase, multiline);
      if (!expected.decided) continue;
      Found actual = ours(pattern, subject, ignoreCase, multiline);
      ++compared;
      if (actual.compiled == expected.compiled && show(actual) == show(expected)) continue;
      if (++mismatches <= 20)
        ADD_FAILURE() << "pattern /" << pattern << "/" << (ignoreCase ? "i" : "") << (multiline ? "m" : "")
                      << " over \"" << subject << "\": ours " << (actual.compiled ? show(actual) : "refused")
                      << ", ECMAScript " << show(expected);
    }
  }
  EXPECT_GE(compared, 24000);
  EXPECT_EQ(mismatches, 0);
}

// The transcription of ECMAScript's matcher is itself checked against
// std::regex wherever std::regex follows ECMAScript.
TEST(RegexDifferential, TheEcmaScriptReferenceAgreesWithStdRegexOnOrdinaryPatterns) {
  PatternGenerator generator(20261211);
  int compared = 0;
  int mismatches = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string pattern = generator.pattern();
    bool ignoreCase = round % 3 == 0;
    bool multiline = round % 2 == 0;
    for (int s = 0; s < 4; ++s) {
      std::string subject = generator.subject(ignoreCase ? "aAbBc1 \n" : "abc1A \n");
      Found expected;
      if (!reference(pattern, subject, ignoreCase, multiline, expected)) continue;
      Found actual = backtracking(pattern, subject, ignoreCase, multiline);
      if (!actual.decided) continue;
      ++compared;
      if (actual.compiled && agree(actual, expected, generator.repeatedGroups())) continue;
      if (++mismatches <= 20)
        ADD_FAILURE() << "pattern /" << pattern << "/ over \"" << subject << "\": ECMAScript reference "
                      << show(actual) << ", std::regex " << show(expected);
    }
  }
  EXPECT_GT(compared, 10000);
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace quorvane::regex
