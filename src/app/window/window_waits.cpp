#include "app/window/window_waits.h"

#include <algorithm>

namespace quorvane {
namespace {

// Messages run between two looks at the wait's state: enough to keep up
// with any input, few enough that an answer is seen at once.
constexpr int kMessagesPerTurn = 64;

// Until `due`, in whole milliseconds rounded up; INFINITE for no due time.
DWORD millisecondsUntil(Wait::Clock::time_point due) {
  if (due == Wait::Clock::time_point::max()) return INFINITE;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Wait::Clock::now()).count();
  return static_cast<DWORD>(std::clamp<long long>(left, 0, INFINITE - 1));
}

}  // namespace

WindowWaits::WindowWaits(std::function<bool(MSG&)> translate, std::function<void(bool waiting)> changed)
    : translate_(std::move(translate)), changed_(std::move(changed)) {}

std::unique_ptr<WindowWait> WindowWaits::begin(HWND window) {
  if (current_) return nullptr;
  std::unique_ptr<WindowWait> wait(new WindowWait(*this, window));
  current_ = wait.get();
  if (changed_) changed_(true);
  return wait;
}

void WindowWaits::cancelFor(HWND window) {
  if (current_ && current_->window() == window) current_->cancel();
}

void WindowWaits::cancelAll() {
  if (current_) current_->cancel();
}

void WindowWaits::ended(WindowWait& wait) {
  if (current_ != &wait) return;
  current_ = nullptr;
  if (changed_) changed_(false);
}

WindowWait::WindowWait(WindowWaits& waits, HWND window)
    : waits_(waits), window_(window), woken_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

WindowWait::~WindowWait() {
  waits_.ended(*this);
  if (woken_) CloseHandle(woken_);
}

Wait::End WindowWait::until(const std::function<bool()>& ready, Clock::time_point due) {
  for (;;) {
    runWaitingMessages();
    if (cancelled_) return End::Cancelled;
    if (ready()) return End::Ready;
    if (Clock::now() >= due) return End::Due;
    // Back at once for a message, a wake() or the due time. Without the
    // event (none could be made) the wait looks again every few ms.
    const DWORD timeout = woken_ ? millisecondsUntil(due) : std::min<DWORD>(millisecondsUntil(due), 10);
    MsgWaitForMultipleObjectsEx(woken_ ? 1 : 0, woken_ ? &woken_ : nullptr, timeout, QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

void WindowWait::wake() {
  if (woken_) SetEvent(woken_);
}

void WindowWait::cancel() {
  cancelled_ = true;
  wake();
}

void WindowWait::runWaitingMessages() {
  MSG message;
  for (int i = 0; i < kMessagesPerTurn && !cancelled_; ++i) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
    if (message.message == WM_QUIT) {
      // The program is ending: the quit request stays for the main loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      cancel();
      return;
    }
    if (waits_.translate_ && waits_.translate_(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace quorvane
