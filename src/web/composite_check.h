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

// The first unit at or after `from` that may join the unit before it, or
// the text's size when none does.
size_t findJoiningUnit(std::u16string_view units, size_t from);

// The first unit at or after `from` that cannot, or the text's size.
size_t skipJoiningUnits(std::u16string_view units, size_t from);

}  // namespace quorvane
