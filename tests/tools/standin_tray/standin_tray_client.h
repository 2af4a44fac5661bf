#pragma once
// Runs the stand-in shell tray for a test: starts it with the given tips,
// changes them while it runs, reads what Shell_NotifyIcon told it, and ends
// it again when the object goes.
#include <windows.h>

#include <string>
#include <vector>

namespace standin_tray {

// One Shell_NotifyIcon call as the stand-in received it.
struct NotifyRecord {
  DWORD operation = 0;  // NIM_ADD, NIM_MODIFY, NIM_DELETE, ...
  HWND window = nullptr;
  UINT id = 0;
  UINT flags = 0;  // NIF_ flags
  UINT callbackMessage = 0;
  std::string tip;  // local text; "" when not given
};

// How the stand-in's notification area looks (standin_tray_protocol.h).
struct TrayOptions {
  bool windows11 = false;         // the XAML shape: its toolbar stays empty, UI Automation shows the icons
  bool processProtected = false;  // OpenProcess on the stand-in fails
  bool overflowShown = false;     // windows11: the hidden icons' window starts open
  DWORD slowMs = 0;               // windows11: every answer of a root element waits this long
  bool forwardToShell = false;    // Wine's own taskbar also gets every icon, and draws it
};

// Whether this Wine has UI Automation to read the Windows 11 shape with:
// Wine 10 registers CUIAutomation, Wine 8 does not.
bool uiAutomationPresent();

class StandinTray {
 public:
  // Button tips are local (GBK) text, in button order: `visible` for the
  // visible icons' toolbar, `hidden` for the overflow one.
  // Starts the stand-in and waits until its tray window is up; running()
  // tells whether it came up.
  explicit StandinTray(std::vector<std::string> visible, std::vector<std::string> hidden = {},
                       TrayOptions options = {});
  ~StandinTray();
  StandinTray(const StandinTray&) = delete;
  StandinTray& operator=(const StandinTray&) = delete;

  bool running() const { return window_ != nullptr; }
  HWND window() const { return window_; }
  // Replaces every button's tip before it returns; the number of buttons
  // shown (icons added through Shell_NotifyIcon included), -1 on failure.
  int show(std::vector<std::string> visible, std::vector<std::string> hidden = {});
  std::vector<NotifyRecord> notifyRecords() const;
  // windows11: the hidden icons' window, and whether it is open.
  HWND overflowWindow() const;
  bool overflowShown() const { return IsWindowVisible(overflowWindow()) != FALSE; }

 private:
  bool writeTips(const std::vector<std::string>& visible, const std::vector<std::string>& hidden) const;
  HWND windowOfProcess(const wchar_t* className) const;

  std::wstring tipsPath_, recordPath_;
  PROCESS_INFORMATION process_ = {};
  HWND window_ = nullptr;
};

}  // namespace standin_tray
