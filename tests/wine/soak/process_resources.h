#pragma once
// What another process holds, read from outside as a leak check sees it:
// kernel handles, GDI and USER objects, threads and private bytes.
//
// Windows answers every figure through its own call. Wine 8 answers some of
// them with 0 (GetGuiResources is a stub there, and so may be the handle
// count); each figure then comes from the nearest source Wine does keep, and
// `source` names it, so a report says what was really counted.
#include <windows.h>

#include <optional>
#include <string>

namespace quorvane::soak {

struct ProcessResources {
  long long handles = 0;
  long long gdiObjects = 0;
  long long userObjects = 0;
  long long threads = 0;
  long long privateBytes = 0;
};

// How each figure of ProcessResources was read.
struct ResourceSources {
  std::string handles, gdiObjects, userObjects, threads, privateBytes;
};

// Nothing when the process cannot be opened for reading (it ended, or the
// reader lacks the rights).
std::optional<ProcessResources> readProcessResources(DWORD processId, ResourceSources* sources = nullptr);

}  // namespace quorvane::soak
