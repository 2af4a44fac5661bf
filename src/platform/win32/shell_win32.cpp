#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/shell.h"
#include "text/wide_text.h"

namespace quorvane::platform {

void shellOpen(const LocalText& target) {
  const std::wstring file = toWide(target);
  SHELLEXECUTEINFOW launch{};
  launch.cbSize = sizeof(launch);
  launch.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  launch.lpVerb = L"open";
  launch.lpFile = file.c_str();
  launch.lpParameters = L"";
  launch.lpDirectory = L"";
  launch.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&launch);
}

}  // namespace quorvane::platform
