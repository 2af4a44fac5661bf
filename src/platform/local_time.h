#pragma once
// The local wall-clock time, as the user's calendar and clock show it: the
// contact log's times and its day ("today" ends at local midnight).
namespace quorvane::platform {

struct LocalDateTime {
  int year = 1970;
  int month = 1;   // 1 to 12
  int day = 1;     // 1 to 31
  int hour = 0;    // 0 to 23
  int minute = 0;
  int second = 0;
  int utcOffsetMinutes = 0;  // local time minus UTC: +480 in China

  bool operator==(const LocalDateTime&) const = default;
};

LocalDateTime localNow();

}  // namespace quorvane::platform
