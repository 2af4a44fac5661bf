#pragma once
// The notification area as the account discovery reads it: the tip texts of
// its icons. The shell shows them in one of two ways, so there is one source
// for each, and the discovery chooses between them.
#include <optional>
#include <vector>

#include "text/text.h"

namespace quorvane::platform {

// More icons than any notification area shows: a source stops reading there,
// so a shell that claims more cannot stall the window.
inline constexpr int kMostTrayIcons = 1024;

class TrayTipSource {
 public:
  virtual ~TrayTipSource() = default;
  // Every icon's tip as local text, in icon order (the visible icons, then
  // the hidden ones); "" for an icon whose tip cannot be read. Nothing when
  // this way finds no notification area to read at all.
  virtual std::optional<std::vector<LocalText>> readTips() = 0;
};

// The toolbars of the classic notification area, read across processes:
// Windows 10, Windows 11 21H2 and a restored old taskbar.
TrayTipSource& trayToolbarTips();

// The icons UI Automation shows under the taskbar: the XAML notification
// area of Windows 11 22H2 and later. Needs COM on the calling thread.
TrayTipSource& trayAutomationTips();

}  // namespace quorvane::platform
