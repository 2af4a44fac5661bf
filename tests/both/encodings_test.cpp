// These vectors run against both ports: the iconv one natively and the
// Windows one under Wine. A difference between them fails here.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "text/code_pages.h"
#include "text/encodings.h"
#include "text/url_encoding.h"

namespace quorvane {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

std::string bytes(std::initializer_list<unsigned char> values) {
  return std::string(values.begin(), values.end());
}

TEST(Utf8ToLocal, ConvertsChineseAndAscii) {
  EXPECT_EQ(utf8ToLocal(bytes({0xE4, 0xB8, 0xAD, 0x61})), bytes({0xD6, 0xD0, 0x61}));
  EXPECT_EQ(utf8ToLocal("plain ascii, 123"), "plain ascii, 123");
}

TEST(Utf8ToLocal, EmptyGivesEmpty) { EXPECT_EQ(utf8ToLocal(""), ""); }

TEST(Utf8ToLocal, NulCutsTheText) {
  EXPECT_EQ(utf8ToLocal(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(utf8ToLocal(std::string("\0cd", 3)), "");
  EXPECT_EQ(utf8ToLocal(std::string("\xE4\xB8\xAD\0\xE4\xB8\xAD", 7)), "\xD6\xD0");
}

TEST(Utf8ToLocal, CharactersTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToLocal("\xED\x95\x9C" "a"), "?a");     // Hangul
  EXPECT_EQ(utf8ToLocal("\xE0\xB8\x81"), "?");          // Thai
  EXPECT_EQ(utf8ToLocal("\xC2\xA0"), "?");              // no-break space
  EXPECT_EQ(utf8ToLocal("\xF0\x9F\x98\x80"), "??");     // outside the BMP: one per unit
}

TEST(Utf8ToLocal, MalformedBytesBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToLocal("a\xFF" "b"), "a?b");
  EXPECT_EQ(utf8ToLocal("a\xE4\xB8" "b"), "a?b");
}

// The search converts every page into one kept string: a page after a longer
// one, a refused or empty one, must leave nothing of the earlier page.
TEST(Utf8ToLocal, AKeptStringHoldsExactlyTheLastPage) {
  std::string longPage;
  for (int i = 0; i < 5000; ++i) longPage += "\xE4\xB8\xAD" "ab\xCC\x81";  // 中ab, a combining mark
  const std::vector<std::string> pages = {longPage, "x\xE4\xB8\xAD", "", std::string("ab\0cd", 5), "\xFF", longPage};
  LocalText kept;
  Utf16Text units;
  for (const std::string& page : pages) {
    utf8ToLocal(page, kept, units);
    EXPECT_EQ(kept, utf8ToLocal(std::string(page)));
  }
  utf8ToLocal("x\xE4\xB8\xAD", kept, units);
  EXPECT_EQ(kept, "x\xD6\xD0");
  ASSERT_TRUE(multiByteToUtf16(longPage, kUtf8CodePage, units));
  ASSERT_TRUE(multiByteToUtf16("a\xE4\xB8\xAD", kUtf8CodePage, units));
  EXPECT_EQ(units, u"a\u4E2D");
  ByteArray appended = "head";
  ASSERT_TRUE(utf16ToMultiByte(u"\u4E2D", kLocalCodePage, 0, appended));
  EXPECT_EQ(appended, "head\xD6\xD0");
}

TEST(Utf8ToUtf16, ConvertsEveryByteNulIncluded) {
  EXPECT_EQ(utf8ToUtf16(std::string("a\0b", 3)), (Utf16Text{u'a', 0, u'b'}));
  EXPECT_EQ(utf8ToUtf16("\xE4\xB8\xAD\xE6\x96\x87"), u"\u4E2D\u6587");
  EXPECT_EQ(utf8ToUtf16(""), u"");
}

TEST(Utf8ToUtf16, CharactersOutsideTheBmpBecomeSurrogatePairs) {
  EXPECT_EQ(utf8ToUtf16("a\xF0\x9F\x98\x80z"), (Utf16Text{u'a', 0xD83D, 0xDE00, u'z'}));
  EXPECT_EQ(utf8ToUtf16("\xF4\x8F\xBF\xBF"), (Utf16Text{0xDBFF, 0xDFFF}));
}

TEST(Utf8ToUtf16, EachMalformedStretchBecomesOneReplacementCharacter) {
  const Utf16Text one{kReplacement};
  EXPECT_EQ(utf8ToUtf16("\xFF"), one);
  EXPECT_EQ(utf8ToUtf16("\xC2"), one);
  EXPECT_EQ(utf8ToUtf16("\xE4\xB8"), one);              // truncated at the end
  EXPECT_EQ(utf8ToUtf16("\xF0\x9F\x98"), one);
  EXPECT_EQ(utf8ToUtf16("\xE4\xB8x"), (Utf16Text{kReplacement, u'x'}));
  EXPECT_EQ(utf8ToUtf16("\x80\x80"), (Utf16Text{kReplacement, kReplacement}));
  EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), (Utf16Text{kReplacement, kReplacement}));  // overlong
  EXPECT_EQ(utf8ToUtf16("\xF8\x88\x80\x80\x80"), Utf16Text(5, kReplacement));
  EXPECT_EQ(utf8ToUtf16("\xE4\xB8\xE4\xB8\xAD"), (Utf16Text{kReplacement, 0x4E2D}));
}

TEST(Utf16ToLocal, ConvertsAndCutsAtNul) {
  EXPECT_EQ(utf16ToLocal(u"\u4E2D\u6587"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(utf16ToLocal(Utf16Text{u'a', 0, u'b'}), "a");
  EXPECT_EQ(utf16ToLocal(u""), "");
}

TEST(Utf16ToLocal, WritesWhatWindowsWritesForCharactersOutsideGbk) {
  EXPECT_EQ(utf16ToLocal(u"\u20AC"), "\x80");            // the euro sign is one byte
  EXPECT_EQ(utf16ToLocal(u"\uE000"), "\xAA\xA1");        // user-defined area
  EXPECT_EQ(utf16ToLocal(u"\u00C0"), "\xA8\xA4");        // best fit: a with grave
  EXPECT_EQ(utf16ToLocal(u"\u00B2"), "2");               // best fit: superscript two
  EXPECT_EQ(utf16ToLocal(u"\uD55C"), "?");
  EXPECT_EQ(utf16ToLocal(u"\uFFFD"), "?");
}

TEST(Utf16ToLocal, LoneSurrogatesBecomeQuestionMarks) {
  EXPECT_EQ(utf16ToLocal(Utf16Text{u'a', 0xD800, u'b', 0xDC00}), "a?b?");
  EXPECT_EQ(utf16ToLocal(Utf16Text{0xD83D, 0xDE00}), "??");
}

TEST(Utf16ToLocal, JoinsALetterAndACombiningMarkTheCodePageCanWrite) {
  EXPECT_EQ(utf16ToLocal(u"e\u0301"), "\xA8\xA6");
  EXPECT_EQ(utf16ToLocal(u"a\u0304n\u030C"), "\xA8\xA1\xA8\xBE");
  EXPECT_EQ(utf16ToLocal(u"\u00FC\u0301"), "\xA8\xB6");   // a precomposed letter takes one more
  EXPECT_EQ(utf16ToLocal(u"A\u0300"), "\xA8\xA4");
  EXPECT_EQ(utf16ToLocal(u"\u304B\u3099"), "\xA4\xAC");
}

TEST(Utf16ToLocal, KeepsMarksSeparateWhenJoiningGivesNothingWritable) {
  EXPECT_EQ(utf16ToLocal(u"x\u0301"), "x?");
  EXPECT_EQ(utf16ToLocal(u"o\u0303"), "o?");
  EXPECT_EQ(utf16ToLocal(u"\u0301a"), "?a");
  EXPECT_EQ(utf16ToLocal(u"u\u0308\u0301"), "\xA8\xB9?");  // only one mark is joined
  EXPECT_EQ(utf16ToLocal(u"\u4E2D\u0301"), "\xD6\xD0?");
}

TEST(LocalToUtf8, ConvertsChinese) {
  EXPECT_EQ(localToUtf8("\xD6\xD0\xCE\xC4"), bytes({0xE4, 0xB8, 0xAD, 0xE6, 0x96, 0x87}));
  EXPECT_EQ(localToUtf8("abc"), "abc");
  EXPECT_EQ(localToUtf8(""), "");
}

TEST(LocalToUtf8, StopsAtNul) { EXPECT_EQ(localToUtf8(std::string("a\0b", 3)), "a"); }

TEST(LocalToUtf8, ReadsGbkDoubleByteEdges) {
  EXPECT_EQ(localToUtf8("\x81\x40"), "\xE4\xB8\x82");    // first pair
  EXPECT_EQ(localToUtf8("\x81\x80"), "\xE4\xBA\x90");    // trail byte 0x80
  EXPECT_EQ(localToUtf8("\x81\x5C"), "\xE4\xB9\x97");    // trail byte is a backslash
  EXPECT_EQ(localToUtf8("\xFE\x4F"), "\xEF\xA8\xA9");    // compatibility ideograph
  EXPECT_EQ(localToUtf8("\xAA\xA1"), "\xEE\x80\x80");    // user-defined area
  EXPECT_EQ(localToUtf8("\x80"), "\xE2\x82\xAC");        // euro sign
  EXPECT_EQ(localToUtf8("\xFF"), "\xEF\xA3\xB5");
}

TEST(LocalToUtf8, ALeadByteTakesTheNextByteEvenWhenThePairIsInvalid) {
  EXPECT_EQ(localToUtf8("\x81"), "?");                  // lead byte at the end
  EXPECT_EQ(localToUtf8("a\x81"), "a?");
  EXPECT_EQ(localToUtf8("\x81\x30z"), "?z");
  EXPECT_EQ(localToUtf8("\x81\x7Fz"), "?z");
  EXPECT_EQ(localToUtf8("\x81\xFFz"), "?z");
  EXPECT_EQ(localToUtf8("\xA2\xA0z"), "\xEE\x96\x85z");  // user-defined, not invalid
}

TEST(LocalToUtf8, EveryGbkCharacterSurvivesTheRoundTrip) {
  int checked = 0;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const LocalText pair{static_cast<char>(lead), static_cast<char>(trail)};
      const ByteArray utf8 = localToUtf8(pair);
      if (utf8 == "?") continue;
      ++checked;
      ASSERT_EQ(utf8ToLocal(utf8), pair) << std::hex << lead << ' ' << trail;
    }
  }
  EXPECT_GT(checked, 23000);
}

// FNV-1a over every conversion of the code page: the ports agree on all of
// it when they agree on the digest.
uint64_t digest(uint64_t hash, std::string_view bytes) {
  for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
  return (hash ^ 0xFF) * 0x100000001B3ull;  // separates one result from the next
}

constexpr uint64_t kFnvBasis = 0xCBF29CE484222325ull;

TEST(CodePageTables, EveryUnitBecomesTheSameLocalBytesOnBothPorts) {
  uint64_t hash = kFnvBasis;
  for (unsigned unit = 1; unit < 0x10000; ++unit) {
    if (unit >= 0xD800 && unit < 0xE000) continue;
    const Utf16Text one(1, static_cast<char16_t>(unit));
    hash = digest(hash, utf16ToMultiByte(one, kLocalCodePage, kCompositeCheck));
  }
  EXPECT_EQ(hash, 17979089156942283509ull);
}

TEST(CodePageTables, EveryByteAndBytePairReadsTheSameOnBothPorts) {
  uint64_t hash = kFnvBasis;
  auto add = [&hash](const Utf16Text& units) {
    for (char16_t unit : units) {
      const char two[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
      hash = digest(hash, std::string_view(two, 2));
    }
  };
  for (unsigned byte = 0; byte < 0x100; ++byte) {
    add(multiByteToUtf16(std::string(1, static_cast<char>(byte)), kLocalCodePage));
  }
  for (unsigned lead = 0x80; lead < 0x100; ++lead) {
    for (unsigned trail = 0; trail < 0x100; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      add(multiByteToUtf16(pair, kLocalCodePage));
    }
  }
  EXPECT_EQ(hash, 16673213276246544996ull);
}

// What the byte scan of the field patterns (text/local_field_scan.h) relies
// on: a lead byte and whatever byte follows it (NUL excepted) become one
// unit, every other byte one unit, and no unit is ASCII unless it comes from
// that ASCII byte alone, or is the "?" of a pair without a character.
TEST(CodePageConversion, EveryByteAndLeadBytePairIsOneUnitAsciiOnlyForAsciiOrQuestionMark) {
  for (unsigned byte = 0; byte < 0x100; ++byte) {
    const Utf16Text units = multiByteToUtf16(std::string(1, static_cast<char>(byte)), kLocalCodePage);
    ASSERT_EQ(units.size(), 1u) << byte;
    if (byte < 0x80) ASSERT_EQ(units[0], byte);
    else ASSERT_TRUE(units[0] >= 0x80 || units[0] == u'?') << byte;
  }
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned next = 1; next < 0x100; ++next) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(next)};
      const Utf16Text units = multiByteToUtf16(pair, kLocalCodePage);
      ASSERT_EQ(units.size(), 1u) << std::hex << lead << ' ' << next;
      ASSERT_TRUE(units[0] >= 0x80 || units[0] == u'?') << std::hex << lead << ' ' << next;
    }
  }
}

TEST(CodePageConversion, CodePageToUtf16EndsInANulUnit) {
  EXPECT_EQ(codePageToUtf16("ab"), (Utf16Text{u'a', u'b', 0}));
  EXPECT_EQ(codePageToUtf16("\xD6\xD0", kLocalCodePage), (Utf16Text{0x4E2D, 0}));
  EXPECT_EQ(codePageToUtf16(std::string("ab\0cd", 5)), (Utf16Text{u'a', u'b', 0}));
  EXPECT_EQ(codePageToUtf16(""), u"");
}

TEST(CodePageConversion, Utf16ToCodePageStopsAtTheNulUnit) {
  EXPECT_EQ(utf16ToCodePage(Utf16Text{0x4E2D, 0, u'x'}, kLocalCodePage), "\xD6\xD0");
  EXPECT_EQ(utf16ToCodePage(Utf16Text{0x4E2D, 0}, kUtf8CodePage), "\xE4\xB8\xAD");
  EXPECT_EQ(utf16ToCodePage(u"", kUtf8CodePage), "");
}

TEST(CodePageConversion, WritesUtf8OutsideTheBmpAndReplacesLoneSurrogates) {
  EXPECT_EQ(utf16ToCodePage(Utf16Text{0xD83D, 0xDE00}, kUtf8CodePage), "\xF0\x9F\x98\x80");
  EXPECT_EQ(utf16ToCodePage(Utf16Text{u'a', 0xD800, u'b', 0xDC00}, kUtf8CodePage),
            "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

TEST(CodePageConversion, AnUnknownCodePageGivesNothing) {
  EXPECT_EQ(codePageToUtf16("abc", 12345), u"");
  EXPECT_EQ(utf16ToCodePage(u"abc", 12345), "");
}

TEST(CodePageConversion, PlatformConvertsNulLikeAnyCharacter) {
  EXPECT_EQ(multiByteToUtf16(std::string("a\0b", 3), kLocalCodePage),
            (Utf16Text{u'a', 0, u'b'}));
  EXPECT_EQ(multiByteToUtf16(std::string("\x81\0b", 3), kLocalCodePage),
            (Utf16Text{u'?', 0, u'b'}));
  EXPECT_EQ(utf16ToMultiByte(Utf16Text{u'a', 0, u'b'}, kLocalCodePage, kCompositeCheck),
            std::string("a\0b", 3));
  EXPECT_EQ(utf16ToMultiByte(Utf16Text{u'a', 0x0301, 0}, kLocalCodePage, kCompositeCheck),
            std::string("\xA8\xA2\0", 3));
}

TEST(UrlEncode, EscapesEveryByteByDefault) {
  EXPECT_EQ(urlEncode("ab-1"), "%61%62%2D%31");
  EXPECT_EQ(urlEncode("\t"), "%09");
  EXPECT_EQ(urlEncode(""), "");
}

TEST(UrlEncode, KeepPlainLeavesDigitsLettersAndFourMarks) {
  EXPECT_EQ(urlEncode("\xD6\xD0 a", true), "%E4%B8%AD%20a");
  EXPECT_EQ(urlEncode("a_b~c/d,e", true), "a%5Fb%7Ec/d,e");
  EXPECT_EQ(urlEncode("x*y+z.", true), "x%2Ay%2Bz.");
}

TEST(UrlEncode, KeepPlainKeepsExactlySixtySixBytes) {
  int plain = 0;
  for (int byte = 1; byte < 0x80; ++byte) {
    const LocalText one(1, static_cast<char>(byte));
    if (urlEncode(one, true) == one) ++plain;
  }
  EXPECT_EQ(plain, 66);
}

TEST(UrlEncode, UsesUpperCaseHexOfTheUtf8Bytes) {
  EXPECT_EQ(urlEncode("\xCE\xC4"), "%E6%96%87");
  EXPECT_EQ(urlEncode("\x80"), "%E2%82%AC");
}

}  // namespace
}  // namespace quorvane
