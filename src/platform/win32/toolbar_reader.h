#pragma once
// Reads the buttons of one toolbar window, which may belong to another
// process (the shell's notification area): the toolbar writes its answers
// into blocks allocated in its own process, and they are read back from there.
#include <windows.h>

#include <optional>

#include "platform/toolbar_button.h"
#include "platform/win32/remote_process_memory.h"
#include "text/text.h"

namespace quorvane::platform {

class ToolbarReader {
 public:
  // Keeps `window` only when it is a toolbar; `crossProcess` places every
  // message buffer in the toolbar's process.
  bool Attach(HWND window, bool crossProcess);
  // At most kMostTrayIcons; 0 when the toolbar does not answer.
  int ButtonCount();
  // The button's command id; nothing when it cannot be read.
  std::optional<int> CommandId(int index);
  // The button's text (a tray icon's tip) as local text; "" on failure.
  LocalText ButtonText(int index);

 private:
  class OpenedProcess;
  std::optional<int> remoteCommandId(OpenedProcess& process, int index);
  LocalText remoteText(OpenedProcess& process, int commandId);
  std::optional<int> localCommandId(int index);
  LocalText localText(int commandId);
  bool ownedByThisProcess() const;
  std::optional<LRESULT> send(UINT message, WPARAM wParam, LPARAM lParam) const;

  HWND toolbar_ = nullptr;
  bool crossProcess_ = false;
  ToolbarButton button_;  // the record last read
  RemoteProcessMemory memory_;
};

}  // namespace quorvane::platform
