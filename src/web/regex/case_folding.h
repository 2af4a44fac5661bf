#pragma once
// Letter case as ignore-case matching sees it: every code unit is mapped to
// its simple upper-case form, except that no non-ASCII unit maps into ASCII
// (so the long s and the dotless i stay apart from "s" and "i").
namespace quorvane::regex {

char16_t canonicalCaseAboveAscii(char16_t unit);

inline char16_t canonicalCase(char16_t unit) {
  if (unit < 0x80) return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - 32) : unit;
  return canonicalCaseAboveAscii(unit);
}

}  // namespace quorvane::regex
