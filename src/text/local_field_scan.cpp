#include "text/local_field_scan.h"

#include <cstdint>
#include <limits>
#include <string>

#include "regex/field_scan.h"
#include "regex/match_iteration.h"
#include "text/byte_literal_finder.h"
#include "text/gbk_characters.h"

namespace quorvane {
namespace {

// ASCII units that no other character of the local text becomes: NUL
// excepted (a lead byte does not take it) and "?" (what a pair without a
// character becomes).
bool isBytewiseExact(char16_t unit) { return unit >= 0x01 && unit < 0x80 && unit != u'?'; }

bool suitsBytes(const regex::FieldShape& shape) {
  for (const std::u16string* literal : {&shape.left, &shape.right}) {
    for (char16_t unit : *literal) {
      if (!isBytewiseExact(unit)) return false;
    }
  }
  return true;
}

std::string asBytes(const std::u16string& asciiUnits) { return std::string(asciiUnits.begin(), asciiUnits.end()); }

// The text of a field scan: local bytes, where only occurrences that start
// a character count.
class LocalFieldText {
 public:
  LocalFieldText(std::string_view local, const regex::FieldShape& shape, bool ignoreCase)
      : local_(local), left_(asBytes(shape.left), ignoreCase), right_(asBytes(shape.right), ignoreCase) {}

  size_t leftSize() const { return left_.size(); }
  size_t rightSize() const { return right_.size(); }
  size_t findLeft(size_t from) const { return startingCharacter(left_, from); }
  size_t findRight(size_t from) const { return startingCharacter(right_, from); }

  size_t findLineFeed(size_t from) const {
    size_t at = local_.find('\n', from);
    while (at != std::string_view::npos && !startsCharacter(at)) at = local_.find('\n', at + 1);
    return at;
  }

 private:
  size_t startingCharacter(const ByteLiteralFinder& literal, size_t from) const {
    size_t at = literal.find(local_, from);
    while (at != std::string_view::npos && !startsCharacter(at)) at = literal.find(local_, at + 1);
    return at;
  }

  // The byte before a run of lead bytes ends a character whatever it is, and
  // the run pairs up from its start: a byte after an even run starts one.
  // Every byte looked at here is ASCII, so no run is walked twice for long.
  bool startsCharacter(size_t at) const {
    size_t leads = 0;
    while (leads < at && isGbkLeadByte(static_cast<unsigned char>(local_[at - 1 - leads]))) ++leads;
    return leads % 2 == 0;
  }

  std::string_view local_;
  ByteLiteralFinder left_;
  ByteLiteralFinder right_;
};

}  // namespace

std::optional<regex::MatchList> findFieldsInLocalText(const regex::Regex& expression, std::string_view local) {
  const regex::FieldShape* shape = expression.fieldShape();
  if (!shape || !suitsBytes(*shape)) return std::nullopt;
  if (local.size() > static_cast<size_t>(std::numeric_limits<std::int32_t>::max() - 1)) return std::nullopt;
  const LocalFieldText text(local, *shape, expression.options().ignoreCase);
  regex::FieldScan scan(text);
  return regex::collectMatches(
      [&](size_t from, std::vector<std::int32_t>& bounds) { return scan.search(from, bounds); }, local.size(),
      expression.groupCount(), expression.options().global);
}

}  // namespace quorvane
