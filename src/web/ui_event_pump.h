#pragma once
// Window events that must keep running while the UI thread itself waits:
// the URL encoder runs them after every byte, and a request waited for on
// the UI thread runs them every few milliseconds, so the window keeps
// answering through a slow or stalled answer.
#include <functional>

namespace quorvane {

// Installs the pump for the calling thread, the UI thread; nullptr removes it.
void installUiEventPump(std::function<void()> pump);

// The pump when the calling thread installed it; nothing on any other thread.
std::function<void()> uiEventPumpForThisThread();

}  // namespace quorvane
