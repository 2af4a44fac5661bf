#pragma once
// A pattern of the field shape (regex/field_shape.h) run straight over the
// local text, without converting it to UTF-16: the search runs six of them
// over every result page. The engine works on the wide form, so this gives
// exactly its matches, with byte positions, or declines.
//
// Why that is exact: code page 936 turns a lead byte (0x81-0xFE) and the
// byte after it (any but NUL) into one unit, which is never an ASCII unit
// but "?", and every other byte into one unit, ASCII for ASCII. So where
// both literals are ASCII without "?", a literal or a line feed in the wide
// form is the same bytes starting on a character boundary here, and a byte
// that only looks like one, the second byte of a pair (誠 is D5 5C: its 5C is
// no backslash), is never taken for it. The ports' conversions are held to
// that rule by tests/both/encodings_test.cpp.
#include <optional>
#include <string_view>

#include "regex/regex.h"

namespace quorvane {

// The matches, positions counting bytes of `local`; nullopt when the
// pattern is not of the field shape, its literals do not allow the byte
// scan, or the text is too long for the engine's 32-bit positions.
std::optional<regex::MatchList> findFieldsInLocalText(const regex::Regex& expression, std::string_view local);

}  // namespace quorvane
