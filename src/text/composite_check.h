#pragma once
// Where the composite check of the conversion to code page 936
// (WC_COMPOSITECHECK) can change the result. It joins a base character and
// a nonspacing mark after it into one precomposed character (where the code
// page has one), and nothing else, so a unit that is no combining mark can
// never be joined to the unit before it. Measured under Wine over every pair
// of BMP units (bench/composite_check_survey.cpp), the marks it joins are
// ten: U+0300-0302, 0304, 0306, 0308, 030C, 0338, 3099 and 309A. Windows
// documents the check for any nonspacing mark, so every combining mark of
// the Unicode data counts here.
#include <string_view>

namespace quorvane {

bool mayJoinThePreviousUnit(char16_t unit);

// A part of a text to convert with the check: from the unit before a
// combining mark (the mark itself when it opens the text) to past the marks
// after it, and on over plain runs shorter than `shortPlainRun` to further
// marks. Its ends are safe places to cut the text: no unit before it is
// joined to its first unit, and no mark follows it.
struct JoinableStretch {
  size_t start;
  size_t end;
};

// The first such stretch at or after `from`, which must not be a combining
// mark unless it is 0; {size, size} when there is none.
JoinableStretch nextJoinableStretch(std::u16string_view units, size_t from, size_t shortPlainRun);

}  // namespace quorvane
