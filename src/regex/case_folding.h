#pragma once
// Letter case as ignore-case matching sees it: every code unit is mapped to
// its simple case folding (Unicode's CaseFolding.txt, statuses C and S),
// except that no non-ASCII unit maps into ASCII, as in ECMAScript without
// the "u" flag (so the long s and the Kelvin sign stay apart from "s" and
// "k"). Two units match each other when their canonical cases are equal.
namespace quorvane::regex {

char16_t canonicalCaseAboveAscii(char16_t unit);

inline char16_t canonicalCase(char16_t unit) {
  if (unit < 0x80) return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit;
  return canonicalCaseAboveAscii(unit);
}

}  // namespace quorvane::regex
