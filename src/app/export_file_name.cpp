#include "app/export_file_name.h"

#include <cstdio>
#include <string_view>

#include "text/gbk_characters.h"

namespace quorvane {
namespace {

constexpr size_t kMostKeywordBytes = 64;
constexpr char kNoKeyword[] = "\xCB\xD1\xCB\xF7\xBD\xE1\xB9\xFB";  // 搜索结果

bool refusedInFileName(unsigned char byte) {
  return byte < 0x20 || byte == 0x7F || std::string_view("\\/:*?\"<>|").find(static_cast<char>(byte)) != std::string_view::npos;
}

// Character by character, so that the second byte of a Chinese character
// (which may be 0x5C, the backslash) is never taken for a sign of its own.
LocalText fileNamePart(std::string_view keyword) {
  LocalText part;
  for (size_t at = 0; at < keyword.size();) {
    const size_t length = gbkCharacterLength(keyword, at);
    if (part.size() + length > kMostKeywordBytes) break;
    const auto first = static_cast<unsigned char>(keyword[at]);
    if (length == 1 && refusedInFileName(first))
      part += '_';
    else
      part.append(keyword.substr(at, length));
    at += length;
  }
  const size_t start = part.find_first_not_of(' ');
  const size_t end = part.find_last_not_of(". ");
  if (start == LocalText::npos || end == LocalText::npos || end < start) return "";
  return part.substr(start, end + 1 - start);
}

}  // namespace

LocalText exportFileName(const LocalText& keyword, const CalendarDate& date) {
  LocalText name = fileNamePart(keyword);
  if (name.empty()) name = kNoKeyword;
  char day[16];
  std::snprintf(day, sizeof day, "_%04d-%02d-%02d.csv", date.year, date.month, date.day);
  return name + day;
}

}  // namespace quorvane
