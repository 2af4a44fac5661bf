#pragma once
// Where every control of the main window stands at a DPI and a window size.
//
// At the window's own size for its DPI (the layout's 1221 x 721 and the
// status bar's height below it, multiplied by the DPI's scale) every figure of the layout is multiplied by that scale
// and nothing else. A window of another size (fitted to a small screen,
// resized or maximised by the user) differs from that by the difference of
// the outer sizes: the grid takes it up, the header and the bottom row keep
// their heights, the bottom row keeps its distance to the window's bottom
// and the region panel its distance to the right edge. Rows too long for a
// narrow window are squeezed (app/row_fit.h).
#include <windows.h>

#include <array>

#include "app/dpi_scale.h"
#include "app/window/main_window_layout.h"

namespace quorvane {

struct MainWindowArrangement {
  // Each control in its parent's client area; the region panel hidden.
  std::array<ControlBox, kControlCount> boxes{};
  int panelShownLeft = 0;
  ControlBox sizeGrip{};
  // Along the client area's bottom edge, under the size grip.
  ControlBox statusBar{};
};

// The window's outer size at a DPI, as the layout gives it, with the status bar.
SIZE mainWindowSize(DpiScale scale);

// The window's own controls below the grid, from 透明标签4 to 选择地区.
bool standsInBottomRow(const ControlLayout& layout);

// `outer` and `client` are the window's sizes as they are now.
MainWindowArrangement arrangeMainWindow(DpiScale scale, SIZE outer, SIZE client);

// The smallest outer size that leaves every control of the header and the
// bottom row visible, a few rows of the grid, and room for the region
// panel's controls above the bottom row, for a window whose frame and
// caption take `frame` (outer size minus client size).
SIZE mainWindowMinimumSize(DpiScale scale, SIZE frame);

}  // namespace quorvane
