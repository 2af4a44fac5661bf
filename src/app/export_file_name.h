#pragma once
// The name the Save dialog of "导出全部结果…" proposes: the keyword of the
// search the rows came from and the day, "连衣裙_2024-05-17.csv".
#include "text/text.h"

namespace quorvane {

struct CalendarDate {
  int year;
  int month;  // 1 to 12
  int day;    // 1 to 31
};

// Characters Windows refuses in a file name (\ / : * ? " < > | and control
// characters) become "_", and leading spaces and trailing spaces and dots are
// dropped; the keyword is cut to 64 bytes at a character boundary. A keyword
// with nothing left gives "搜索结果".
LocalText exportFileName(const LocalText& keyword, const CalendarDate& date);

}  // namespace quorvane
