#pragma once
// The IM client's windows as the dialog automation sees them: found by class
// and exact title, driven by window messages. The client is another process;
// every call tolerates windows that vanish between two calls.
#include <cstdint>
#include <string_view>

#include "text/text.h"

namespace quorvane::platform {

using WindowId = std::uintptr_t;  // 0: no window
constexpr WindowId kNoWindow = 0;

class ImClientWindows {
 public:
  virtual ~ImClientWindows() = default;

  // The first top-level window of that class whose title is exactly `title`.
  virtual WindowId findTopLevel(std::string_view windowClass, const LocalText& title) = 0;
  virtual WindowId dialogItem(WindowId dialog, int controlId) = 0;

  virtual int listBoxCount(WindowId listBox) = 0;
  virtual LocalText listBoxItemText(WindowId listBox, int index) = 0;
  virtual void selectListBoxItem(WindowId listBox, int index) = 0;

  // Mouse move, left button down, left button up at (2, 2), posted.
  virtual void postLeftClick(WindowId window) = 0;
  virtual void sendClose(WindowId window) = 0;
};

// The windows of this desktop.
ImClientWindows& desktopWindows();

}  // namespace quorvane::platform
