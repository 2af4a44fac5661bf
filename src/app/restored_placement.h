#pragma once
// Where a window saved in the settings goes at the next start. The saved
// rectangle keeps its top-left corner and has its size scaled from the DPI it
// was saved at to the DPI it comes back at (the user may have changed the
// scaling meanwhile). It is restored only on a monitor that is still there:
// it must overlap a work area (a screen without its taskbar), and is then
// moved, and shrunk where larger, to lie wholly inside the work area it
// overlaps most, never smaller than the window allows. A rectangle on a
// monitor that is gone overlaps none: the window starts where it would
// without settings.
#include <optional>
#include <span>

#include "app/settings.h"

namespace quorvane {

struct ScreenBox {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const ScreenBox&) const = default;
};

// `minimumWidth` and `minimumHeight` at `dpi`.
std::optional<ScreenBox> restoredWindowBox(const SavedPlacement& saved, int dpi, int minimumWidth, int minimumHeight,
                                           std::span<const ScreenBox> workAreas);

}  // namespace quorvane
