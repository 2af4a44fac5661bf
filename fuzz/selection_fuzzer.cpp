// Input: a list of 4-byte operations on the grid's ticks: [kind][a][b][c].
// kind % 4: 0 space over rows a..b (filter when c is odd), 1 write the
// filter's status texts into row a (online when b is odd, not contacted when
// c is odd), 2 untick-by-remove row a, 3 reset. Rows are the byte minus 3
// (so -3..252), or for 255 the last row and beyond.
// The tick of every row must equal its membership of the list, and the
// count must be the number of entries.
#include <cstddef>
#include <cstdint>
#include <string>

#include "results/result_table.h"
#include "app/selection.h"
#include "fuzz_check.h"

using namespace quorvane;

namespace {

constexpr int kHighestSmallRow = 252;
constexpr size_t kMaxOperations = 256;

int rowOf(uint8_t byte, int large) { return byte == 255 ? large : byte - 3; }

bool listIsWellFormed(const LocalText& list, int& entries) {
  entries = 0;
  size_t digits = 0;
  for (char c : list) {
    if (c == ',') {
      if (digits == 0) return false;
      ++entries;
      digits = 0;
    } else if ((c >= '0' && c <= '9') || (c == '-' && digits == 0)) {
      ++digits;
    } else {
      return false;
    }
  }
  return digits == 0;
}

void checkAgreement(const ResultTable& table, const Selection& selection) {
  int entries = 0;
  FUZZ_CHECK(listIsWellFormed(selection.list(), entries));
  FUZZ_CHECK(entries == selection.count());
  for (int row = 0; row <= kHighestSmallRow; ++row) {
    FUZZ_CHECK(table.tick(row) == selection.contains(row));
  }
  const int last = ResultTable::kRowCount - 1;
  FUZZ_CHECK(table.tick(last) == selection.contains(last));
  FUZZ_CHECK(!table.tick(0));
}

void checkCount(const ResultTable& table, const Selection& selection) {
  int ticked = 0;
  for (int row = 0; row < ResultTable::kRowCount; ++row) ticked += table.tick(row);
  FUZZ_CHECK(ticked == selection.count());
}

void applyRemove(ResultTable& table, Selection& selection, int row) {
  if (selection.remove(row)) table.setTick(row, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ResultTable table;
  const int last = ResultTable::kRowCount - 1;
  table.clearResults();
  Selection selection;

  for (size_t at = 0; at + 4 <= size && at < 4 * kMaxOperations; at += 4) {
    const uint8_t kind = data[at], a = data[at + 1], b = data[at + 2], c = data[at + 3];
    switch (kind % 4) {
      case 0:
        toggleSelectedRows(table, selection, rowOf(a, last), rowOf(b, last + (c >> 1)), c & 1);
        break;
      case 1:
        table.applyStatus(rowOf(a, last), {b & 1 ? kOnlineText : "", c & 1 ? kNotContactedText : "", std::nullopt});
        break;
      case 2:
        applyRemove(table, selection, rowOf(a, last));
        break;
      case 3:
        for (int row = 1; row <= last; ++row) table.setTick(row, false);
        selection.reset();
        break;
    }
    checkAgreement(table, selection);
  }
  checkCount(table, selection);
  return 0;
}
