#pragma once
// Handing a link to the shell: URL schemes reach their registered handler,
// web addresses the default browser.
#include "text/text.h"

namespace quorvane::platform {

// "open" with no owner window, no parameters, no working folder, shown
// normally. The shell does not wait for the handler; nothing is reported.
void shellOpen(const LocalText& target);

}  // namespace quorvane::platform
