// The seven field patterns of the search over a generated result page: our
// extraction against a literal-scan floor (memmem of each pattern's left
// literal, then of its right literal) and against std::wregex with the same
// options (ignore case, multiline, every match); then ours alone over
// hostile pages of 1 MB and 10 MB.
#include <cstdio>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "regex/compiler.h"
#include "regex/match_iteration.h"
#include "regex/parser.h"
#include "regex/pike_vm.h"
#include "literal_floor.h"
#include "regex/regex.h"
#include "run_timing.h"
#include "search/shop_page_patterns.h"
#include "search_result_page.h"
#include "text/code_pages.h"
#include "text/encodings.h"
#include "text/gbk_unit_offsets.h"

namespace {

// The search's own field patterns, as the worker keeps them compiled.
const quorvane::ShopPagePatterns& fieldPatterns() { return quorvane::ShopPagePatterns::compiled(); }

std::vector<std::string> patternTexts() {
  std::vector<std::string> texts;
  for (const quorvane::ShopFieldPattern& definition : quorvane::kShopFieldPatterns)
    texts.emplace_back(definition.text);
  return texts;
}

// The literals around each pattern's capture, as they stand in the page.
std::vector<std::pair<std::string, std::string>> fieldLiterals() {
  std::vector<std::pair<std::string, std::string>> literals;
  for (const quorvane::ShopFieldPattern& definition : quorvane::kShopFieldPatterns) {
    const quorvane::regex::FieldShape& shape = *fieldPatterns()[definition.field].expression()->fieldShape();
    literals.emplace_back(std::string(shape.left.begin(), shape.left.end()),
                          std::string(shape.right.begin(), shape.right.end()));
  }
  return literals;
}

const std::vector<std::string> kFieldPatterns = patternTexts();
const std::vector<std::pair<std::string, std::string>> kFieldLiterals = fieldLiterals();

std::wstring toWide(const std::string& local) {
  quorvane::Utf16Text units = quorvane::codePageToUtf16(local, 936);
  if (!units.empty()) units.pop_back();  // the terminating NUL
  return std::wstring(units.begin(), units.end());
}

// Group 1 of every match of every pattern, read as the search worker reads
// them (patterns compiled once); returns how many captures were read.
size_t runOurs(const std::string& page) {
  size_t captures = 0;
  for (const quorvane::ShopFieldPattern& definition : quorvane::kShopFieldPatterns)
    captures += fieldPatterns()[definition.field].captures(page).size();
  return captures;
}

size_t runFloor(const std::string& page) { return literalScanFloor(page, kFieldLiterals); }

// The way every pattern ran before field scans: the page converted to UTF-16
// once, each pattern on the Pike VM, captures cut from the local text.
size_t runPikeVm(const std::string& page) {
  const quorvane::Utf16Text units = quorvane::multiByteToUtf16(page, 936);
  const auto offsets = quorvane::GbkUnitOffsets::of(page, units.size());
  size_t captures = 0;
  for (const std::string& pattern : kFieldPatterns) {
    const auto parsed = quorvane::regex::parsePattern(quorvane::multiByteToUtf16(pattern, 936));
    const auto compiled = quorvane::regex::compileTree(parsed.tree, {true, true});
    quorvane::regex::PikeVm vm(compiled.program);
    const auto matches = quorvane::regex::collectMatches(
        [&](size_t from, std::vector<std::int32_t>& bounds) { return vm.search(units, from, bounds); }, units.size(),
        compiled.program.groupCount, true);
    for (size_t i = 0; i < matches.size(); ++i) {
      const size_t start = offsets->byteOffset(page, matches.start(i, 1));
      std::string capture = page.substr(start, offsets->byteOffset(page, matches.end(i, 1)) - start);
      captures += !capture.empty() || true;
    }
  }
  return captures;
}

size_t runStd(const std::vector<std::wregex>& patterns, const std::wstring& page) {
  size_t captures = 0;
  for (const std::wregex& pattern : patterns) {
    for (std::wsregex_iterator it(page.begin(), page.end(), pattern), end; it != end; ++it) {
      std::wstring group = (*it)[1].str();
      captures += !group.empty() || true;
    }
  }
  return captures;
}

void benchmarkPage() {
  std::vector<quorvane::fixtures::PageShop> shops = quorvane::fixtures::sampleShops(20);
  // Two pages that differ, taken in turn, so that every run converts its
  // page afresh as the search does for every page it fetches.
  const std::string pages[2] = {quorvane::fixtures::resultPage(shops, 37, 300 * 1024),
                                quorvane::fixtures::resultPage(shops, 38, 300 * 1024)};
  const std::string& page = pages[0];
  std::wstring widePage = toWide(page);
  std::vector<std::wregex> stdPatterns;
  for (const std::string& pattern : kFieldPatterns)
    stdPatterns.emplace_back(toWide(pattern), std::regex::ECMAScript | std::regex::icase | std::regex::multiline);

  size_t ours = 0;
  size_t floor = 0;
  size_t pike = 0;
  size_t theirs = 0;
  int turn = 0;
  double oursSeconds = timePerRun([&] { return runOurs(pages[turn++ % 2]); }, 1.0, ours);
  double floorSeconds = timePerRun([&] { return runFloor(pages[turn++ % 2]); }, 1.0, floor);
  double pikeSeconds = timePerRun([&] { return runPikeVm(pages[turn++ % 2]); }, 1.0, pike);
  double stdSeconds = timePerRun([&] { return runStd(stdPatterns, widePage); }, 1.0, theirs);
  std::printf("result page: %zu bytes, 20 shops, 7 patterns\n", page.size());
  std::printf("  ours (compiled once, GBK in and out):         %8.3f ms per page, %zu captures\n", oursSeconds * 1e3, ours);
  std::printf("  literal-scan floor (memmem left, then right): %8.3f ms per page, %zu captures\n", floorSeconds * 1e3, floor);
  std::printf("  Pike VM over the converted page (until now):  %8.3f ms per page, %zu captures\n", pikeSeconds * 1e3, pike);
  std::printf("  std::wregex (wide text):                      %8.3f ms per page, %zu captures\n", stdSeconds * 1e3, theirs);
  std::printf("  extraction: ours / floor %.2fx (goal: at most 4x); Pike VM / floor %.2fx; std::wregex / ours %.1fx%s\n",
              oursSeconds / floorSeconds, pikeSeconds / floorSeconds, stdSeconds / oursSeconds,
              ours == theirs && ours == floor && ours == pike ? "" : "  (CAPTURE COUNTS DIFFER)");
}

template <typename MakePage>
void benchmarkHostile(const char* title, MakePage makePage, size_t megabytes) {
  std::string pages[2] = {makePage(megabytes << 20), "x"};
  pages[1] += pages[0];
  size_t captures = 0;
  int turn = 0;
  double seconds = timePerRun([&] { return runOurs(pages[turn++ % 2]); }, 1.0, captures);
  std::printf("  %-44s %2zu MB: %8.1f ms for 7 patterns, %6.1f ms per MB, %zu captures\n", title, megabytes,
              seconds * 1e3, seconds * 1e3 / static_cast<double>(megabytes), captures);
}

}  // namespace

int main() {
  benchmarkPage();
  std::printf("hostile single lines, every capture opened and never closed (ours alone):\n");
  for (size_t megabytes : {1, 10})
    benchmarkHostile("no terminator after the openings", quorvane::fixtures::unterminatedCapturePage, megabytes);
  for (size_t megabytes : {1, 10})
    benchmarkHostile("terminators only after a line feed", quorvane::fixtures::captureCutByLineBreakPage, megabytes);
  return 0;
}
