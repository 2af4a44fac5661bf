#include "app/window/program_icon.h"

namespace quorvane {

HICON loadProgramIcon(HINSTANCE instance, bool small) {
  const int size = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
  return static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON, size, size, 0));
}

}  // namespace quorvane
