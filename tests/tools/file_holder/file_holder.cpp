// file_holder.exe PATH MILLISECONDS READY_EVENT
//
// Opens PATH for reading, sharing reading and writing but not deletion (so
// the file can be neither renamed nor replaced meanwhile, as while a virus
// scanner looks at it), sets the event READY_EVENT, holds the file for
// MILLISECONDS and closes it. Exits 0, or 1 when PATH cannot be opened.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  HANDLE file = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
  if (ready) {
    SetEvent(ready);
    CloseHandle(ready);
  }
  Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
  CloseHandle(file);
  return 0;
}
