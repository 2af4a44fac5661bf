#pragma once
// The notification area as the account discovery reads it: the tip texts of
// its icons. The shell shows them in one of two ways, so there is one source
// for each, and the discovery chooses between them.
#include <vector>

#include "text/text.h"

namespace quorvane::platform {

// More icons than any notification area shows: a source stops reading there,
// so a shell that claims more cannot stall the reading.
inline constexpr int kMostTrayIcons = 1024;

enum class TrayReadOutcome {
  NotFound,  // this way finds no notification area to read
  Read,
  TimedOut,  // the shell did not answer in time: what it shows is unknown
};

struct TrayTips {
  TrayReadOutcome outcome = TrayReadOutcome::NotFound;
  // Every icon's tip as local text, in icon order (the visible icons, then
  // the hidden ones); "" for an icon whose tip cannot be read.
  std::vector<LocalText> tips;
};

// A source is called on a worker thread, never on the window's, and may take
// as long as the shell makes it; each call stands alone.
class TrayTipSource {
 public:
  virtual ~TrayTipSource() = default;
  virtual TrayTips readTips() = 0;
  // The same reading while the hidden icons' flyout is open, for a shell
  // that gives those icons no content until the user opens it: opens the
  // flyout, reads, closes it again. Only in answer to the user's own
  // request, as it moves the focus to the shell. A source without such a
  // flyout answers NotFound.
  virtual TrayTips readTipsWithHiddenIconsOpen() { return {}; }
};

// The toolbars of the classic notification area, read across processes:
// Windows 10, Windows 11 21H2 and a restored old taskbar.
TrayTipSource& trayToolbarTips();

// The icons UI Automation shows under the taskbar: the XAML notification
// area of Windows 11 22H2 and later. Joins the multi-threaded apartment for
// the span of each call.
TrayTipSource& trayAutomationTips();

}  // namespace quorvane::platform
