// utf16ToLocal converts only the stretches around combining marks with the
// composite check (text/composite_check.h). Over every BMP unit, before each
// mark the check joins and before marks it leaves alone, in runs and without
// a base, its bytes must be those of the whole text converted with the check
// by this port: iconv natively, WideCharToMultiByte under Wine.
#include <gtest/gtest.h>

#include "text/code_pages.h"
#include "text/composite_check.h"
#include "text/encodings.h"

namespace quorvane {
namespace {

// The ten marks the check joins under Wine (bench/composite_check_survey.cpp),
// then marks of other kinds it leaves alone: nonspacing, enclosing, spacing.
constexpr char16_t kJoinedMarks[] = {0x0300, 0x0301, 0x0302, 0x0304, 0x0306, 0x0308, 0x030C, 0x0338, 0x3099, 0x309A};
constexpr char16_t kOtherMarks[] = {0x0303, 0x0327, 0x0345, 0x20DD, 0x093F, 0x302A, 0xFE20};

ByteArray wholeTextWithTheCheck(const Utf16Text& units) {
  const ByteArray bytes = utf16ToMultiByte(units, kLocalCodePage, kCompositeCheck);
  return bytes.substr(0, bytes.find('\0'));
}

// Every unit but NUL (which ends local text), each followed by `mark`.
Utf16Text everyUnitBefore(char16_t mark) {
  Utf16Text text;
  for (unsigned unit = 1; unit < 0x10000; ++unit) {
    text.push_back(static_cast<char16_t>(unit));
    text.push_back(mark);
  }
  return text;
}

void expectWholeTextBytesBefore(char16_t mark) {
  const Utf16Text text = everyUnitBefore(mark);
  EXPECT_TRUE(utf16ToLocal(text) == wholeTextWithTheCheck(text)) << "before U+" << std::hex << unsigned(mark);
}

TEST(CompositeCheck, EveryBmpUnitBeforeAMarkConvertsAsTheWholeTextWithTheCheck) {
  for (char16_t mark : kJoinedMarks) expectWholeTextBytesBefore(mark);
  for (char16_t mark : kOtherMarks) expectWholeTextBytesBefore(mark);
}

TEST(CompositeCheck, RunsOfMarksAndMarksWithoutABaseConvertAsTheWholeText) {
  Utf16Text everyUnit;  // runs of marks such as U+0300-036F among everything else
  for (unsigned unit = 1; unit < 0x10000; ++unit) everyUnit.push_back(static_cast<char16_t>(unit));
  EXPECT_TRUE(utf16ToLocal(everyUnit) == wholeTextWithTheCheck(everyUnit));
  for (const Utf16Text& text :
       {Utf16Text{0x0301, u'a'}, Utf16Text{0x0301, 0x0301, u'e', 0x0301}, Utf16Text{u'u', 0x0308, 0x0301, 0x0304},
        Utf16Text{0x00FC, 0x0301, u'x'}, Utf16Text{0x304B, 0x3099, 0x3099}, Utf16Text{0xD83D, 0xDE00, 0x0301},
        Utf16Text{u'e', 0x0301, 0, u'e', 0x0301}, Utf16Text{0x0300, 0x0301, 0x0302}})
    EXPECT_EQ(utf16ToLocal(text), wholeTextWithTheCheck(text));
  // Marks far apart and near each other, around the longest plain run that
  // is still converted with the check.
  for (size_t gap : {1, 254, 255, 256, 257, 1000}) {
    const Utf16Text text = u"a\u0301" + Utf16Text(gap, u'x') + u"e\u0301" + Utf16Text(gap, u'\u4E2D') + u"\u0301" +
                           Utf16Text(gap, u'y') + u"\u3099";
    EXPECT_EQ(utf16ToLocal(text), wholeTextWithTheCheck(text)) << gap;
  }
}

TEST(CompositeCheck, EveryMarkTheCheckJoinsTakesTheConversionWithTheCheck) {
  for (char16_t mark : kJoinedMarks) EXPECT_TRUE(mayJoinThePreviousUnit(mark)) << std::hex << unsigned(mark);
  for (char16_t unit : {u'a', u'\u00FC', u'\u4E2D', u'\u3000', u'\u309B', u'\uFF41'})
    EXPECT_FALSE(mayJoinThePreviousUnit(unit)) << std::hex << unsigned(unit);
}

}  // namespace
}  // namespace quorvane
