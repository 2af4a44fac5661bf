#include "text/encodings.h"

#include <algorithm>

#include "text/code_pages.h"
#include "text/composite_check.h"

namespace quorvane {
namespace {

template <typename Text>
Text upToFirstNul(Text text) {
  return text.substr(0, text.find(typename Text::value_type{0}));
}

// Local text ends at its first NUL; in place.
void cutAtFirstNul(LocalText& local) { local.resize(std::min(local.find('\0'), local.size())); }

// Plain runs shorter than this between two combining marks are converted
// with the check too: a call for every few units would cost more than the
// check saves.
constexpr size_t kShortPlainRun = 256;

// The UTF-16 form of a page lives only while the page converts; the units
// of a page of up to 4 MB are kept for the caller's next page. Not per
// thread: a thread's own storage is not given back when the thread ends
// under every runtime, and each search runs on a thread of its own.
constexpr size_t kLargestKeptUnits = 2 << 20;

}  // namespace

Utf16Text utf8ToUtf16(std::string_view utf8) {
  return multiByteToUtf16(utf8, kUtf8CodePage);
}

// The composite check costs many times the plain conversion (about 14x on a
// result page under Wine) and can only change a base character followed by
// combining marks (composite_check.h); without it every unit converts on its
// own. So only the stretches around marks are converted with it, the rest
// plainly, and the bytes are those of converting the whole text with it.
void utf16ToLocal(std::u16string_view units, LocalText& local) {
  local.clear();
  bool converted = true;
  const auto append = [&](size_t start, size_t end, unsigned flags) {
    if (start < end)
      converted = utf16ToMultiByte(units.substr(start, end - start), kLocalCodePage, flags, local) && converted;
  };
  size_t plainFrom = 0;
  for (JoinableStretch stretch = nextJoinableStretch(units, 0, kShortPlainRun); stretch.start < units.size();
       stretch = nextJoinableStretch(units, plainFrom, kShortPlainRun)) {
    append(plainFrom, stretch.start, 0);
    append(stretch.start, stretch.end, kCompositeCheck);
    plainFrom = stretch.end;
  }
  append(plainFrom, units.size(), 0);
  // A refusal anywhere is a refusal of the whole text.
  if (!converted) local.clear();
  cutAtFirstNul(local);
}

LocalText utf16ToLocal(std::u16string_view units) {
  LocalText local;
  utf16ToLocal(units, local);
  return local;
}

// A NUL byte in UTF-8 is always a NUL character, which ends the local text:
// nothing after it needs converting.
void utf8ToLocal(std::string_view utf8, LocalText& local, Utf16Text& units) {
  multiByteToUtf16(upToFirstNul(utf8), kUtf8CodePage, units);
  utf16ToLocal(units, local);
  if (units.capacity() > kLargestKeptUnits) Utf16Text().swap(units);
}

LocalText utf8ToLocal(std::string_view utf8) {
  LocalText local;
  Utf16Text units;
  utf8ToLocal(utf8, local, units);
  return local;
}

Utf16Text codePageToUtf16(std::string_view text, unsigned codePage) {
  Utf16Text units = multiByteToUtf16(upToFirstNul(text), codePage);
  if (!units.empty()) units.push_back(u'\0');
  return units;
}

ByteArray utf16ToCodePage(std::u16string_view units, unsigned codePage) {
  return utf16ToMultiByte(upToFirstNul(units), codePage, 0);
}

Utf16Text localToUtf16(std::string_view local) { return multiByteToUtf16(local, kLocalCodePage); }

ByteArray localToUtf8(std::string_view local) {
  return utf16ToCodePage(codePageToUtf16(local, kLocalCodePage), kUtf8CodePage);
}

}  // namespace quorvane
