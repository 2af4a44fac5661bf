// Patterns of the field shape (a literal, "(.*?)", a literal) run as two
// literal scans: which patterns take that path, and that it finds exactly
// what the Pike VM finds on the same program.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "regex/compiler.h"
#include "regex/match_iteration.h"
#include "regex/parser.h"
#include "regex/pike_vm.h"
#include "regex/regex.h"

namespace quorvane::regex {
namespace {

std::string narrow(std::u16string_view text) {
  std::string out;
  for (char16_t unit : text) out += unit < 0x80 ? static_cast<char>(unit) : '#';
  return out;
}

std::string shapeOf(std::u16string_view pattern) {
  Regex regex(pattern, {true, true, true});
  const FieldShape* shape = regex.fieldShape();
  return shape ? narrow(shape->left) + " | " + narrow(shape->right) : "none";
}

TEST(RegexFieldShape, TheSearchsPatternsAreRecognised) {
  EXPECT_EQ(shapeOf(u"\"totalPage\":(.*?),\""), "\"totalPage\": | ,\"");
  EXPECT_EQ(shapeOf(u"\"rawTitle\":\"(.*?)\","), "\"rawTitle\":\" | \",");
  EXPECT_EQ(shapeOf(u"\"nick\":\"(.*?)\",\"provcity\""), "\"nick\":\" | \",\"provcity\"");
  EXPECT_EQ(shapeOf(u"\"procnt\":(.*?),\""), "\"procnt\": | ,\"");
  EXPECT_EQ(shapeOf(u",\"totalsold\":(.*?),\""), ",\"totalsold\": | ,\"");
  EXPECT_EQ(shapeOf(u"rank seller-rank-(.*?)\","), "rank seller-rank- | \",");
  EXPECT_EQ(shapeOf(u"ind\\\\\":\\\\\"(.*?)\\\\"), "ind\\\":\\\" | \\");
}

TEST(RegexFieldShape, OnlyThatShapeIsRecognised) {
  EXPECT_EQ(shapeOf(u"(?:ab)(.*?)c\\n"), "ab | c\n");
  EXPECT_EQ(shapeOf(u"a\\u4E2D(.*?)b"), "a# | b");
  EXPECT_EQ(shapeOf(u"a(.{0,}?)b"), "a | b");
  for (const char16_t* other :
       {u"a(.*)b", u"a(.+?)b", u"a.*?b", u"a(?:.*?)b", u"(.*?)b", u"a(.*?)", u"a(.*?)b|c", u"a(.*?)(b)",
        u"a(.*?)b+", u"^a(.*?)b", u"a(.*?)b$", u"[a](.*?)b", u"a(.*?)\\bb", u"(a)(.*?)b", u"a((.*?))b",
        u"a([^\\n]*?)b"})
    EXPECT_EQ(shapeOf(other), "none") << narrow(other);
}

// Every match with its groups, "start-end", as the two paths report them.
std::string describe(const MatchList& matches) {
  std::string out;
  for (size_t match = 0; match < matches.size(); ++match) {
    for (int group = 0; group <= matches.groupCount(); ++group)
      out += std::to_string(matches.start(match, group)) + "-" + std::to_string(matches.end(match, group)) + " ";
    out += ";";
  }
  return out;
}

MatchList onPikeVm(std::u16string_view pattern, std::u16string_view subject, RegexOptions options) {
  ParseResult parsed = parsePattern(pattern);
  CompileResult compiled = compileTree(parsed.tree, {options.ignoreCase, options.multiline});
  PikeVm vm(compiled.program);
  return collectMatches([&](size_t from, std::vector<std::int32_t>& bounds) { return vm.search(subject, from, bounds); },
                        subject.size(), compiled.program.groupCount, options.global);
}

// Literals and subjects from a small alphabet where they meet often:
// letters in both cases, the markup's quote and backslash, line feeds and
// carriage returns, Greek sigmas (three units, one letter) and Chinese.
class FieldCaseGenerator {
 public:
  explicit FieldCaseGenerator(unsigned seed) : random_(seed) {}

  std::u16string pattern() { return literal() + u"(.*?)" + literal(); }

  std::u16string subject() {
    std::u16string text;
    for (size_t length = pick(40); length > 0; --length) text += kAlphabet[pick(kAlphabet.size())];
    return text;
  }

 private:
  static constexpr std::u16string_view kAlphabet = u"aAbB\"\\\n\r\u03c3\u03a3\u03c2\u8aa0";

  size_t pick(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random_); }

  // Pattern text for one to three units of the alphabet.
  std::u16string literal() {
    std::u16string text;
    for (size_t length = 1 + pick(3); length > 0; --length) {
      const char16_t unit = kAlphabet[pick(kAlphabet.size())];
      if (unit == u'\n') text += u"\\n";
      else if (unit == u'\r') text += u"\\r";
      else if (unit == u'\\') text += u"\\\\";
      else text += unit;
    }
    return text;
  }

  std::mt19937 random_;
};

TEST(RegexFieldScan, FindsWhatThePikeVmFinds) {
  FieldCaseGenerator generator(20261212);
  int mismatches = 0;
  for (int round = 0; round < 2500; ++round) {
    const std::u16string pattern = generator.pattern();
    const RegexOptions options{round % 2 == 0, round % 3 == 0, round % 5 != 0};
    const Regex regex(pattern, options);
    ASSERT_NE(regex.fieldShape(), nullptr) << narrow(pattern);
    for (int s = 0; s < 8; ++s) {
      const std::u16string subject = generator.subject();
      const std::string scanned = describe(regex.findAll(subject));
      const std::string expected = describe(onPikeVm(pattern, subject, options));
      if (scanned == expected) continue;
      if (++mismatches <= 10)
        ADD_FAILURE() << "pattern " << narrow(pattern) << " over " << narrow(subject) << ": scan " << scanned
                      << " Pike VM " << expected;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// Left literals whose captures never close on their line: the scan skips
// each line once, in linear time, and finds the one match at the end.
TEST(RegexFieldScan, LinesOfOpeningsWithoutAnEndAreSkippedLineByLine) {
  std::u16string subject;
  for (int line = 0; line < 20000; ++line) subject += u"<a<a<a<a\n";
  subject += u"<ab>";
  const Regex regex(u"<a(.*?)>", {false, true, true});
  ASSERT_NE(regex.fieldShape(), nullptr);
  EXPECT_EQ(describe(regex.findAll(subject)), describe(onPikeVm(u"<a(.*?)>", subject, {false, true, true})));
  EXPECT_EQ(regex.findAll(subject).size(), 1u);
}

}  // namespace
}  // namespace quorvane::regex
