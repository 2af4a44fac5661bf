#pragma once
// Squeezing a row of controls into a narrower window. The controls of a row
// keep their order and height; when the row would end past the room it has,
// the controls that may narrow (edit boxes, lists) give up width first, then
// every gap (the left margin included) shrinks by the same share. A row that
// fits stays exactly as it is.
#include <span>
#include <vector>

namespace quorvane {

struct RowItem {
  int left = 0;
  int width = 0;
  int minimumWidth = 0;  // equal to width for a control that keeps its width
};

// Gaps shrink to no less than this share of their size, in percent.
inline constexpr int kMinimumGapPercent = 40;

// The items stand left to right without overlapping, the first at or right
// of 0. Returns them in the same order, ending at or before `right` when the
// row can be squeezed that far; otherwise squeezed as far as it goes.
std::vector<RowItem> fitRow(std::span<const RowItem> row, int right);

// Where the row ends when squeezed as far as it goes.
int narrowestRowEnd(std::span<const RowItem> row);

}  // namespace quorvane
