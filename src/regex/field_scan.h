#pragma once
// A pattern of the field shape (field_shape.h) run as "find the left
// literal, then the right literal before the next line feed": the matches
// the Pike VM gives (leftmost-first, the lazy capture as short as it can
// be), in time linear in the text. Written once for any text that can find
// the two literals and its line feeds, so the engine's UTF-16 units and the
// search's local text share it.
#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvane::regex {

// `Text` gives leftSize() and rightSize(), the literals' lengths, and
// findLeft(from), findRight(from) and findLineFeed(from): where the first
// occurrence at or after `from` starts, npos when there is none.
template <typename Text>
class FieldScan {
 public:
  explicit FieldScan(const Text& text) : text_(text) {}

  // The leftmost match starting at or after `from`, as the Pike VM reports
  // it: captures holds the match's start and end, then the capture's. Every
  // call on one FieldScan must be over the same text.
  bool search(size_t from, std::vector<std::int32_t>& captures) {
    for (size_t candidate = from;;) {
      const size_t start = text_.findLeft(candidate);
      if (start == kNone) return false;
      const size_t open = start + text_.leftSize();
      const size_t close = firstAtOrAfter(right_, open, [this](size_t at) { return text_.findRight(at); });
      // No right literal after this left one means none after a later one.
      if (close == kNone) return false;
      const size_t lineFeed = firstAtOrAfter(lineFeed_, open, [this](size_t at) { return text_.findLineFeed(at); });
      if (lineFeed == kNone || close <= lineFeed) {
        captures.assign({position(start), position(close + text_.rightSize()), position(open), position(close)});
        return true;
      }
      // No right literal starts from `open` up to the line feed, so a left
      // literal whose capture would open in that stretch fails the same way.
      candidate = lineFeed + 1 - text_.leftSize();
    }
  }

 private:
  static constexpr size_t kNone = std::u16string_view::npos;

  // The last forward search of one kind: nothing of that kind starts from
  // `from` up to `found`, so every search from within that stretch finds
  // `found` again without looking.
  struct LastFound {
    size_t from = kNone;
    size_t found = kNone;
  };

  template <typename Find>
  static size_t firstAtOrAfter(LastFound& last, size_t from, Find find) {
    if (last.from != kNone && last.from <= from && from <= last.found) return last.found;
    last = {from, find(from)};
    return last.found;
  }

  static std::int32_t position(size_t at) { return static_cast<std::int32_t>(at); }

  const Text& text_;
  LastFound right_;
  LastFound lineFeed_;
};

}  // namespace quorvane::regex
