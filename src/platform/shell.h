#pragma once
// Handing a link to the shell: URL schemes reach their registered handler,
// web addresses the default browser.
#include "text/text.h"

namespace quorvane::platform {

// "open" with no owner window, no parameters, no working folder, shown
// normally. Nothing is reported and nothing is shown when the shell cannot
// carry it out (no handler for the scheme): no "open with" dialog, no error
// box. Returns once the shell has handed the link on, so a process that
// ends right afterwards does not cut a launch short.
void shellOpen(const LocalText& target);

}  // namespace quorvane::platform
