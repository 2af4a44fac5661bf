#include "text/text_between.h"

#include <optional>

#include "text/gbk_characters.h"

namespace quorvane {
namespace {

// "#引号" in GBK; a caller writes it where a marker needs a double quote.
constexpr std::string_view kQuoteWord = "#\xD2\xFD\xBA\xC5";

// '#' is never part of a double-byte character, so a byte match of the word
// always starts and ends on character boundaries.
LocalText withQuotes(std::string_view marker) {
  LocalText replaced;
  replaced.reserve(marker.size());
  for (size_t at = 0; at < marker.size();) {
    if (marker.substr(at, kQuoteWord.size()) == kQuoteWord) {
      replaced.push_back('"');
      at += kQuoteWord.size();
    } else {
      replaced.push_back(marker[at++]);
    }
  }
  return replaced;
}

char foldAsciiLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares character by character, so a double-byte character only ever
// matches the same double-byte character, and only single-byte letters
// are folded (a trail byte that looks like "A" stays as it is).
bool markerMatchesAt(std::string_view text, size_t at, std::string_view marker, bool caseSensitive) {
  for (size_t i = 0; i < marker.size();) {
    const size_t length = gbkCharacterLength(text, at + i);
    if (length != gbkCharacterLength(marker, i)) return false;
    if (length == 2) {
      if (text.substr(at + i, 2) != marker.substr(i, 2)) return false;
    } else {
      const char a = text[at + i], b = marker[i];
      if (caseSensitive ? a != b : foldAsciiLetter(a) != foldAsciiLetter(b)) return false;
    }
    i += length;
  }
  return true;
}

// The 0-based offset of the first match starting on a character boundary
// at or after `from`. An empty marker matches where the search starts.
std::optional<size_t> findMarker(std::string_view text, std::string_view marker, size_t from,
                                 bool caseSensitive) {
  if (from > text.size()) return std::nullopt;
  for (size_t at = gbkBoundaryAtOrAfter(text, from); at + marker.size() <= text.size();
       at += gbkCharacterLength(text, at)) {
    if (markerMatchesAt(text, at, marker, caseSensitive)) return at;
  }
  return std::nullopt;
}

}  // namespace

// A start before the first byte searches the whole text; one past the last
// byte finds nothing (but an empty marker).
LocalText textBetween(std::string_view text, std::string_view left, std::string_view right,
                      int start, bool caseSensitive) {
  const size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
  const LocalText leftMarker = withQuotes(left);
  const std::optional<size_t> leftAt = findMarker(text, leftMarker, from, caseSensitive);
  if (!leftAt) return {};
  const size_t valueAt = *leftAt + leftMarker.size();
  const std::optional<size_t> rightAt = findMarker(text, withQuotes(right), valueAt, caseSensitive);
  if (!rightAt) return {};
  return LocalText(text.substr(valueAt, *rightAt - valueAt));
}

}  // namespace quorvane
