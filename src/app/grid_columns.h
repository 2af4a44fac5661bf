#pragma once
// The result grid's column widths at 96 DPI, as the layout gives them
// (主营类目 keeps the grid control's default width of 150), and the range a
// remembered width must lie in to be taken.
#include <array>

#include "results/shop_row.h"

namespace quorvane {

inline constexpr std::array<int, kColumnCount> kDefaultColumnWidths = {50, 200, 198, 120, 120, 120, 150, 120, 117};

// A narrower column could no longer be found and dragged wider again; a
// wider one would push the others out of any screen.
inline constexpr int kNarrowestColumnWidth = 10;
inline constexpr int kWidestColumnWidth = 2000;

}  // namespace quorvane
