#include "web/ui_event_pump.h"

#include <mutex>
#include <thread>

namespace quorvane {
namespace {

// The pump and the thread allowed to run it.
struct UiEventPump {
  std::mutex guard;
  std::function<void()> pump;
  std::thread::id owner;
};

UiEventPump& uiEventPump() {
  static UiEventPump instance;
  return instance;
}

}  // namespace

void installUiEventPump(std::function<void()> pump) {
  UiEventPump& slot = uiEventPump();
  std::lock_guard lock(slot.guard);
  slot.pump = std::move(pump);
  slot.owner = std::this_thread::get_id();
}

std::function<void()> uiEventPumpForThisThread() {
  UiEventPump& slot = uiEventPump();
  std::lock_guard lock(slot.guard);
  if (!slot.pump || slot.owner != std::this_thread::get_id()) return {};
  return slot.pump;
}

}  // namespace quorvane
