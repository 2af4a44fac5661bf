#include <windows.h>

#include "platform/local_time.h"

namespace quorvane::platform {

LocalDateTime localNow() {
  SYSTEMTIME local{}, utc{};
  GetLocalTime(&local);
  GetSystemTime(&utc);
  // The offset is the difference of the two clocks read a moment apart,
  // rounded to whole minutes, so daylight saving is whatever Windows applies.
  FILETIME localFile{}, utcFile{};
  SystemTimeToFileTime(&local, &localFile);
  SystemTimeToFileTime(&utc, &utcFile);
  const auto ticks = [](const FILETIME& t) {
    return static_cast<long long>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
  };
  const long long minute = 600000000LL;  // 100-ns ticks
  const long long difference = ticks(localFile) - ticks(utcFile);
  const int offset = static_cast<int>((difference + (difference >= 0 ? minute / 2 : -minute / 2)) / minute);
  return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond, offset};
}

}  // namespace quorvane::platform
