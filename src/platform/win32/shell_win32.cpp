#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/shell.h"
#include "text/wide_text.h"

namespace quorvane::platform {

ShellOpen shellOpen(const LocalText& target) {
  const std::wstring file = toWide(target);
  SHELLEXECUTEINFOW launch{};
  launch.cbSize = sizeof(launch);
  launch.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  launch.lpVerb = L"open";
  launch.lpFile = file.c_str();
  launch.lpParameters = L"";
  launch.lpDirectory = L"";
  launch.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&launch)) return ShellOpen::Opened;
  const DWORD error = GetLastError();
  // hInstApp carries the old ShellExecute code where the error is not set.
  const auto code = reinterpret_cast<INT_PTR>(launch.hInstApp);
  return error == ERROR_NO_ASSOCIATION || code == SE_ERR_NOASSOC ? ShellOpen::NoHandler : ShellOpen::Failed;
}

}  // namespace quorvane::platform
