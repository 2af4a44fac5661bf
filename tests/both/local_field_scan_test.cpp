// Field patterns scanned straight over local text against the engine on
// the text's wide form, as this port converts it (iconv natively, the
// system's code page 936 under Wine): the same matches, at the same bytes,
// whatever lead and trail bytes surround the literals.
#include "text/local_field_scan.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "text/code_pages.h"
#include "text/gbk_unit_offsets.h"

namespace quorvane {
namespace {

const std::string kCheng = "\xD5\x5C";  // 誠: its second byte is a backslash
const std::string kHua = "\xC8\x41";    // 華: its second byte is "A"

std::u16string widened(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::string describe(const regex::MatchList& matches, const std::function<size_t(size_t)>& toByte) {
  std::string out;
  for (size_t match = 0; match < matches.size(); ++match) {
    for (int group = 0; group <= matches.groupCount(); ++group)
      out += std::to_string(toByte(matches.start(match, group))) + "-" +
             std::to_string(toByte(matches.end(match, group))) + " ";
    out += ";";
  }
  return out;
}

std::string scannedOverBytes(const regex::Regex& regex, std::string_view local) {
  std::optional<regex::MatchList> matches = findFieldsInLocalText(regex, local);
  return matches ? describe(*matches, [](size_t at) { return at; }) : "declined";
}

// The engine over this port's conversion, unit positions turned into bytes.
std::string foundOnTheWideForm(const regex::Regex& regex, std::string_view local) {
  const Utf16Text units = local.empty() ? Utf16Text() : multiByteToUtf16(local, kLocalCodePage);
  const std::optional<GbkUnitOffsets> offsets = GbkUnitOffsets::of(local, units.size());
  if (!offsets) return "units not paired as the byte scan assumes";
  return describe(regex.findAll(units), [&](size_t unit) { return offsets->byteOffset(local, unit); });
}

TEST(LocalFieldScan, TheCategorysClosingBackslashIsNeverTheSecondByteOfACharacter) {
  const regex::Regex category(u"ind\\\\\":\\\\\"(.*?)\\\\", {true, true, true});
  const std::string page = "{\\\"ind\\\":\\\"" + kCheng + kHua + "\\\",\\\"IND\\\":\\\"" + kCheng + "\\\"}";
  EXPECT_EQ(scannedOverBytes(category, page), "3-16 11-15 ;20-31 28-30 ;");
  EXPECT_EQ(scannedOverBytes(category, page), foundOnTheWideForm(category, page));
}

TEST(LocalFieldScan, DeclinesLiteralsTheBytesCannotStandFor) {
  for (const char16_t* pattern : {u"\\u4E2D(.*?)b", u"a(.*?)\\?", u"a(.*?)\\x00", u"a\\u00E9(.*?)b", u"a(.*)b"})
    EXPECT_FALSE(findFieldsInLocalText(regex::Regex(pattern, {true, true, true}), "a\xD6\xD0?b").has_value());
}

// Pieces that put lead and trail bytes next to the literals' bytes: pairs
// whose second byte is "\" or "A", a lead byte before a quote or a line feed
// (one unit with it), lone lead bytes, the euro sign's single byte.
class LocalTextGenerator {
 public:
  explicit LocalTextGenerator(unsigned seed) : random_(seed) {}

  std::string pattern() { return literal() + "(.*?)" + literal(); }

  std::string text() {
    static const std::string kPieces[] = {"a", "A", "\"", "\\", ":", "\n", "\r", kCheng, kHua, "\xD5", "\x81",
                                          "\x81\n", "\x81\"", "\x80", "\xFF", "\xD6\xD0", "\xFE\xFE"};
    std::string text;
    for (size_t pieces = pick(24); pieces > 0; --pieces) text += kPieces[pick(std::size(kPieces))];
    return text;
  }

 private:
  size_t pick(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random_); }

  std::string literal() {
    static const char* const kUnits[] = {"a", "A", "\\\"", "\\\\", ":", "\\n", "\\r"};
    std::string text;
    for (size_t length = 1 + pick(3); length > 0; --length) text += kUnits[pick(std::size(kUnits))];
    return text;
  }

  std::mt19937 random_;
};

TEST(LocalFieldScan, FindsWhatTheEngineFindsOnThisPortsConversion) {
  LocalTextGenerator generator(20261213);
  int mismatches = 0;
  for (int round = 0; round < 3000; ++round) {
    const std::string pattern = generator.pattern();
    const regex::Regex regex(widened(pattern), {round % 2 == 0, true, round % 4 != 0});
    ASSERT_NE(regex.fieldShape(), nullptr) << pattern;
    for (int s = 0; s < 4; ++s) {
      const std::string text = generator.text();
      const std::string scanned = scannedOverBytes(regex, text);
      const std::string expected = foundOnTheWideForm(regex, text);
      if (scanned == expected) continue;
      if (++mismatches <= 10) ADD_FAILURE() << pattern << " over " << testing::PrintToString(text) << ": bytes "
                                            << scanned << ", wide form " << expected;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace quorvane
