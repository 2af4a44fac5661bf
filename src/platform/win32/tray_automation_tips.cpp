// The notification area's tips through UI Automation, in an apartment and
// with an automation object of their own for each reading.
#include <windows.h>

#include "platform/tray_tips.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/tray_automation.h"

namespace quorvane::platform {
namespace {

// How long the shell may take to connect and to answer one call before the
// reading counts as timed out. Windows 8 and later honour it; Wine 10 does
// not (E_NOTIMPL), which the caller's own time limit covers.
constexpr DWORD kAutomationTimeoutMs = 2000;

// The multi-threaded apartment for the span of one reading: the reading runs
// on a worker thread without a message loop, which an apartment-threaded
// thread would need to receive the calls UI Automation makes back into it.
class MultiThreadedApartment {
 public:
  MultiThreadedApartment() : joined_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~MultiThreadedApartment() {
    if (SUCCEEDED(joined_)) CoUninitialize();
  }
  MultiThreadedApartment(const MultiThreadedApartment&) = delete;
  MultiThreadedApartment& operator=(const MultiThreadedApartment&) = delete;

 private:
  HRESULT joined_;
};

// CUIAutomation8 with its time-outs where the system has it (Windows 8 and
// later, Wine 10), otherwise CUIAutomation; nothing where UI Automation is
// missing (Wine 8 does not register either class).
ComPtr<uia::IUIAutomation> createAutomation() {
  ComPtr<uia::IUIAutomation> automation;
  // Asked for as IUIAutomation2 and held as its base, which starts its vtable.
  if (SUCCEEDED(CoCreateInstance(uia::kClsidCUIAutomation8, nullptr, CLSCTX_INPROC_SERVER, uia::kIidIUIAutomation2,
                                 automation.putVoid())) &&
      automation) {
    auto* withTimeouts = static_cast<uia::IUIAutomation2*>(automation.get());
    withTimeouts->put_ConnectionTimeout(kAutomationTimeoutMs);
    withTimeouts->put_TransactionTimeout(kAutomationTimeoutMs);
    return automation;
  }
  if (FAILED(CoCreateInstance(uia::kClsidCUIAutomation, nullptr, CLSCTX_INPROC_SERVER, uia::kIidIUIAutomation,
                              automation.putVoid())))
    automation.reset();
  return automation;
}

class AutomationTips final : public TrayTipSource {
 public:
  TrayTips readTips() override {
    MultiThreadedApartment apartment;
    ComPtr<uia::IUIAutomation> automation = createAutomation();
    if (!automation) return {};
    return notifyIconTips(elementsUnder(*automation, ShellWindows().automationRoots()));
  }

  // The flyout takes the focus as it opens; the program takes it back on its
  // own thread once the reading is handed over.
  TrayTips readTipsWithHiddenIconsOpen() override {
    MultiThreadedApartment apartment;
    ComPtr<uia::IUIAutomation> automation = createAutomation();
    if (!automation) return {};
    return readWithHiddenIconsOpen(*automation, ShellWindows());
  }
};

}  // namespace

TrayTipSource& trayAutomationTips() {
  // Never destroyed: a reading still running on its worker when the process
  // exits may be using it.
  static TrayTipSource& tips = *new AutomationTips;
  return tips;
}

}  // namespace quorvane::platform
