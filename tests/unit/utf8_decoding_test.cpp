// Malformed UTF-8 where the Unicode rule (one U+FFFD per maximal subpart,
// which Windows follows) and Wine 8's decoder part ways: Wine takes a lead
// byte and an out-of-range second byte as one stretch. These run natively
// only; the exe meets Windows' own decoder.
#include <gtest/gtest.h>

#include "text/encodings.h"

namespace quorvane {
namespace {

const Utf16Text replacements(size_t count) { return Utf16Text(count, 0xFFFD); }

TEST(Utf8Decoding, AnOutOfRangeSecondByteEndsTheSequenceAtTheLeadByte) {
  EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), replacements(3));      // encoded surrogate
  EXPECT_EQ(utf8ToUtf16("\xE0\x80\xAF"), replacements(3));      // overlong
  EXPECT_EQ(utf8ToUtf16("\xF0\x80\x80\x80"), replacements(4));  // overlong
  EXPECT_EQ(utf8ToUtf16("\xF4\x90\x80\x80"), replacements(4));  // above U+10FFFF
}

TEST(Utf8Decoding, TheLastCharacterOfEachLengthDecodes) {
  EXPECT_EQ(utf8ToUtf16("\x7F\xDF\xBF\xEF\xBF\xBF"), (Utf16Text{0x7F, 0x7FF, 0xFFFF}));
  EXPECT_EQ(utf8ToUtf16("\xED\x9F\xBF\xEE\x80\x80"), (Utf16Text{0xD7FF, 0xE000}));
}

}  // namespace
}  // namespace quorvane
