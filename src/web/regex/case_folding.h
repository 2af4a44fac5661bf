#pragma once
// Letter case as ignore-case matching sees it: every code unit is mapped to
// its simple upper-case form, except that no non-ASCII unit maps into ASCII
// (so the long s and the dotless i stay apart from "s" and "i").
namespace quorvane::regex {

char16_t canonicalCase(char16_t unit);

}  // namespace quorvane::regex
