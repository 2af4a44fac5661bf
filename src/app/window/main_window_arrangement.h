#pragma once
// Where every control of the main window stands at a DPI and a client size.
//
// The layout's figures are relative to the client area, for the window at
// its own size: the layout's 1221 x 721 and the status bar's height below
// it, multiplied by the DPI's scale, as outer size, less the frame and
// caption the system draws at that DPI. In that client area every control
// stands at its figure times the scale and the grid spans the width. A
// client area of another size (a thicker frame, a window fitted to a small
// screen, resized, snapped or maximised) gives the grid the difference: the
// header and the bottom row keep their heights, the bottom row keeps its
// distance to the bottom and the region panel its distance to the right
// edge (shown, it meets that edge). Rows too long for a narrow window are
// squeezed (app/row_fit.h).
#include <windows.h>

#include <array>

#include "app/dpi_scale.h"
#include "app/window/main_window_layout.h"

namespace quorvane {

struct MainWindowArrangement {
  // Each control in its parent's client area; the region panel hidden.
  std::array<ControlBox, kControlCount> boxes{};
  int panelShownLeft = 0;
  // Along the client area's bottom edge.
  ControlBox statusBar{};
};

// The window's outer size at a DPI, as the layout gives it, with the status bar.
SIZE mainWindowSize(DpiScale scale);

// The window's own controls below the grid, from 透明标签4 to 选择地区.
bool standsInBottomRow(const ControlLayout& layout);

// `client` is the window's client area as it is now; `frame` what the
// system's frame and caption take at the DPI (outer less client size).
MainWindowArrangement arrangeMainWindow(DpiScale scale, SIZE client, SIZE frame);

// The smallest client area that leaves every control of the header and the
// bottom row visible, a few rows of the grid, and room for the region
// panel's controls above the bottom row.
SIZE mainWindowMinimumClientSize(DpiScale scale, SIZE frame);

}  // namespace quorvane
