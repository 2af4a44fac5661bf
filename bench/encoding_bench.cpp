// UTF-8 to GBK and GBK to UTF-8 through the core's conversions (what every
// fetched page and every URL goes through) against a straightforward
// converter: one code point at a time, each looked up in a hash map. Prints
// MB/s of both and their ratio, on a result page (mostly ASCII markup) and
// on Chinese-dense text. Then the page conversion (UTF-8 to GBK) against the
// same conversion without the composite check (WC_COMPOSITECHECK), which
// the core pays for only around combining marks, and against the check over
// the whole text, on those texts and on one dense with combining marks.
// Builds natively and cross; under Wine the core's path is the system's
// MultiByteToWideChar / WideCharToMultiByte.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "run_timing.h"
#include "search_result_page.h"
#include "text/code_pages.h"
#include "text/encodings.h"

namespace {

using quorvane::ByteArray;
using quorvane::LocalText;

// The naive converter's tables: every GBK pair the code page maps, asked of
// the core once at start-up (not timed).
struct NaiveTables {
  std::unordered_map<char32_t, uint16_t> gbkOfCodePoint;
  std::unordered_map<uint16_t, char32_t> codePointOfGbk;
};

NaiveTables buildTables() {
  NaiveTables tables;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const char pair[3] = {static_cast<char>(lead), static_cast<char>(trail), 0};
      const quorvane::Utf16Text units = quorvane::codePageToUtf16(pair, 936);
      // One unit and the NUL: a character of the Basic Multilingual Plane.
      if (units.size() != 2 || units[0] == u'?' || units[0] == 0xFFFD) continue;
      const auto code = static_cast<uint16_t>(lead << 8 | trail);
      tables.codePointOfGbk.emplace(code, units[0]);
      tables.gbkOfCodePoint.emplace(units[0], code);
    }
  }
  return tables;
}

void appendUtf8(char32_t c, ByteArray& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | c >> 6));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | c >> 12));
    out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | c >> 18));
    out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// One code point from `at`, which it moves past; U+FFFD for a broken sequence.
char32_t nextCodePoint(const ByteArray& text, size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) return lead;
  int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (more < 0) return 0xFFFD;
  char32_t c = lead & (0x3F >> more);
  for (; more > 0; --more) {
    if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) return 0xFFFD;
    c = c << 6 | (static_cast<unsigned char>(text[at++]) & 0x3F);
  }
  return c;
}

LocalText naiveUtf8ToGbk(const NaiveTables& tables, const ByteArray& utf8) {
  LocalText out;
  for (size_t at = 0; at < utf8.size();) {
    const char32_t c = nextCodePoint(utf8, at);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    auto found = tables.gbkOfCodePoint.find(c);
    if (found == tables.gbkOfCodePoint.end()) {
      out.push_back('?');
    } else {
      out.push_back(static_cast<char>(found->second >> 8));
      out.push_back(static_cast<char>(found->second & 0xFF));
    }
  }
  return out;
}

ByteArray naiveGbkToUtf8(const NaiveTables& tables, const LocalText& gbk) {
  ByteArray out;
  for (size_t at = 0; at < gbk.size();) {
    const auto byte = static_cast<unsigned char>(gbk[at]);
    if (byte < 0x80 || at + 1 == gbk.size()) {
      out.push_back(byte < 0x80 ? static_cast<char>(byte) : '?');
      ++at;
      continue;
    }
    const auto code = static_cast<uint16_t>(byte << 8 | static_cast<unsigned char>(gbk[at + 1]));
    at += 2;
    auto found = tables.codePointOfGbk.find(code);
    appendUtf8(found == tables.codePointOfGbk.end() ? U'?' : found->second, out);
  }
  return out;
}

double megabytesPerSecond(size_t bytes, double seconds) { return static_cast<double>(bytes) / (1 << 20) / seconds; }

template <typename Core, typename Naive>
void compare(const char* direction, const std::string& input, Core core, Naive naive) {
  const bool same = core(input) == naive(input);
  size_t coreBytes = 0, naiveBytes = 0;
  const double coreSeconds = timePerRun([&] { return core(input).size(); }, 1.0, coreBytes);
  const double naiveSeconds = timePerRun([&] { return naive(input).size(); }, 1.0, naiveBytes);
  std::printf("  %-13s core %8.1f MB/s   naive per-character map %8.1f MB/s   core/naive %5.2fx%s\n", direction,
              megabytesPerSecond(input.size(), coreSeconds), megabytesPerSecond(input.size(), naiveSeconds),
              naiveSeconds / coreSeconds, same ? "" : "  (OUTPUTS DIFFER)");
}

// About `bytes` of text that is nearly all Chinese: names, categories,
// navigation words and item titles, one after another.
LocalText chineseText(size_t bytes) {
  using namespace quorvane::fixtures;
  std::vector<std::string> pieces;
  for (const auto* list : {&sampleShopNames(), &sampleCategories(), &page_detail::navigationWords(),
                           &page_detail::itemTitles()})
    pieces.insert(pieces.end(), list->begin(), list->end());
  LocalText text;
  for (size_t i = 0; text.size() < bytes; ++i) text += pieces[i % pieces.size()];
  return text;
}

// UTF-8 to GBK as utf8ToLocal does it, with the given flags over the whole text.
LocalText utf8ToLocalWithFlags(const ByteArray& utf8, unsigned flags) {
  const quorvane::Utf16Text units = quorvane::utf8ToUtf16(utf8.substr(0, utf8.find('\0')));
  const LocalText local = quorvane::utf16ToMultiByte(units, 936, flags);
  return local.substr(0, local.find('\0'));
}

void benchmarkCompositeCheck(const char* title, const ByteArray& utf8) {
  const LocalText expected = utf8ToLocalWithFlags(utf8, quorvane::kCompositeCheck);
  const bool same = quorvane::utf8ToLocal(utf8) == expected;
  size_t bytes = 0;
  const double ours = timePerRun([&] { return quorvane::utf8ToLocal(utf8).size(); }, 1.0, bytes);
  const double plain = timePerRun([&] { return utf8ToLocalWithFlags(utf8, 0).size(); }, 1.0, bytes);
  const double whole =
      timePerRun([&] { return utf8ToLocalWithFlags(utf8, quorvane::kCompositeCheck).size(); }, 1.0, bytes);
  std::printf("  %-28s ours %7.3f ms, without the check %7.3f ms, check over the whole text %7.3f ms\n", title,
              ours * 1e3, plain * 1e3, whole * 1e3);
  std::printf("  %-28s ours / without the check %.2fx (goal: at most 1.5x); whole-text check / without %.2fx%s\n", "",
              ours / plain, whole / plain, same ? "" : "  (OURS DIFFERS FROM THE WHOLE-TEXT CHECK)");
}

// Pinyin with its tone marks written as combining marks after the vowels:
// the text where the composite check changes the most.
ByteArray pinyinWithCombiningMarks(size_t bytes) {
  const std::vector<std::string> syllables = {"zho\xCC\x84ng", "we\xCC\x81n", "pi\xCC\x84n", "yi\xCC\x8Cn",
                                              "ha\xCC\x80o", " ", "lu\xCC\x88", "\xE4\xB8\xAD"};
  ByteArray text;
  for (size_t i = 0; text.size() < bytes; ++i) text += syllables[i % syllables.size()];
  return text;
}

void benchmark(const char* title, const NaiveTables& tables, const LocalText& gbk) {
  const ByteArray utf8 = quorvane::localToUtf8(gbk);
  std::printf("%s: %zu bytes GBK, %zu bytes UTF-8\n", title, gbk.size(), utf8.size());
  compare("UTF-8 -> GBK", utf8, [](const ByteArray& in) { return quorvane::utf8ToLocal(in); },
          [&](const ByteArray& in) { return naiveUtf8ToGbk(tables, in); });
  compare("GBK -> UTF-8", gbk, [](const LocalText& in) { return quorvane::localToUtf8(in); },
          [&](const LocalText& in) { return naiveGbkToUtf8(tables, in); });
}

}  // namespace

int main() {
  const NaiveTables tables = buildTables();
  std::printf("naive tables: %zu GBK characters; MB/s counted on the input's bytes\n", tables.codePointOfGbk.size());
  const auto shops = quorvane::fixtures::sampleShops(20);
  benchmark("result page, 20 shops", tables, quorvane::fixtures::resultPage(shops, 37, 300 * 1024));
  benchmark("Chinese text", tables, chineseText(1 << 20));
  std::printf("page conversion, UTF-8 -> GBK: the composite check only where it can change the result\n");
  benchmarkCompositeCheck("result page, 20 shops", quorvane::localToUtf8(quorvane::fixtures::resultPage(shops, 37, 300 * 1024)));
  benchmarkCompositeCheck("Chinese text", quorvane::localToUtf8(chineseText(1 << 20)));
  benchmarkCompositeCheck("pinyin, combining marks", pinyinWithCombiningMarks(1 << 20));
  return 0;
}
