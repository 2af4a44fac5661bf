#pragma once
// Handing a link to the shell: URL schemes reach their registered handler,
// web addresses the default browser.
#include "text/text.h"

namespace quorvane::platform {

enum class ShellOpen {
  Opened,     // the shell handed the link to its handler
  NoHandler,  // nothing is registered for the link's scheme
  Failed,     // the shell could not hand it on for another reason
};

// "open" with no owner window, no parameters, no working folder, shown
// normally. Nothing is shown when the shell cannot carry it out (no handler
// for the scheme): no "open with" dialog, no error box; the result tells.
// Returns once the shell has handed the link on, so a process that ends
// right afterwards does not cut a launch short.
ShellOpen shellOpen(const LocalText& target);

}  // namespace quorvane::platform
