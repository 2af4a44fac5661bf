#include "app/window/single_instance.h"

namespace quorvane {
namespace {

// Local\ keeps the name to the user's session: another user logged on to the
// same machine runs a program of their own.
constexpr wchar_t kInstanceName[] = L"Local\\Quorvane.SingleInstance";
// How long a second start waits for the first one's window: covers a first
// instance still starting; a hung one costs no more than this.
constexpr ULONGLONG kWindowWaitMs = 5000;
constexpr DWORD kPollMs = 20;

template <typename Condition>
bool waitFor(Condition condition) {
  const ULONGLONG giveUpAt = GetTickCount64() + kWindowWaitMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= giveUpAt) return false;
    Sleep(kPollMs);
  }
}

}  // namespace

// The name is owned, not merely created: a first instance that was killed
// leaves it abandoned, and the next start takes it over.
SingleInstance::SingleInstance() : mutex_(CreateMutexW(nullptr, FALSE, kInstanceName)) {
  if (!mutex_) return;
  DWORD claimed = WaitForSingleObject(mutex_, 0);
  owned_ = claimed == WAIT_OBJECT_0 || claimed == WAIT_ABANDONED;
}

SingleInstance::~SingleInstance() {
  if (owned_) ReleaseMutex(mutex_);
  if (mutex_) CloseHandle(mutex_);
}

void bringRunningInstanceForward(const wchar_t* mainWindowClass) {
  HWND window = nullptr;
  if (!waitFor([&] { return (window = FindWindowW(mainWindowClass, nullptr)) != nullptr; })) return;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  // The first instance activates its window itself while it shows it; this
  // start, which the user just made, may hand it the foreground for that.
  AllowSetForegroundWindow(owner);
  // Posted, so a hung first instance cannot hang this start too.
  ShowWindowAsync(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
  if (waitFor([&] { return IsWindowVisible(window) && !IsIconic(window); })) SetForegroundWindow(window);
}

}  // namespace quorvane
