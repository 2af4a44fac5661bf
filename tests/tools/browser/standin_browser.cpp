// A stand-in web browser, registered in the test prefix for http and https:
// it records the address it was asked to open and exits.
#include <windows.h>

#include "../standin_files.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::recordLaunch();
  return 0;
}
