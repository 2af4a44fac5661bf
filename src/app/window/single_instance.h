#pragma once
// One program per session. Two would each rewrite data.txt from their own
// copy and lose each other's entries, and both would answer the same IM
// client dialogs; so a second start hands over to the first and ends.
#include <windows.h>

namespace quorvane {

class SingleInstance {
 public:
  // Claims the session-wide name; owned() tells whether this process got it.
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  bool owned() const { return owned_; }

 private:
  HANDLE mutex_ = nullptr;
  bool owned_ = false;
};

// Shows the running instance's main window (restored when minimised, also
// when it was hidden to the notification area) and brings it to the front.
// Waits a moment for the window of an instance that is still starting; does
// nothing when none appears.
void bringRunningInstanceForward(const wchar_t* mainWindowClass);

}  // namespace quorvane
