#include "web/response_header_scan.h"

#include "text/text_between.h"
#include "text/text_pieces.h"
#include "web/cookie_jar.h"
#include "web/header_value.h"

namespace quorvane {
namespace {

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The first name=value after "Set-Cookie:" (name matched without regard to
// case), up to the first ";" or the end of the line.
LocalText firstCookieOf(const LocalText& line) {
  return trimSpaces(textBetween(line + ";", "Set-Cookie:", ";"));
}

}  // namespace

void scanResponseHeaders(std::string_view rawHeaders, LocalText& cookies,
                         LocalText& receivedCookies, LocalText& location) {
  location.clear();
  receivedCookies.clear();
  for (const LocalText& line : splitText(rawHeaders, "\r\n")) {
    if (contains(line, "Location:")) location = headerValue(line);
    if (contains(line, "Set-Cookie")) receivedCookies += firstCookieOf(line) + "; ";
  }
  if (receivedCookies.size() >= 2) receivedCookies.resize(receivedCookies.size() - 2);
  if (location.empty()) location = LocalText(rawHeaders);
  mergeCookies(cookies, receivedCookies);
}

std::optional<int> responseStatus(std::string_view rawHeaders) {
  constexpr std::string_view kVersion = "HTTP/";
  if (rawHeaders.substr(0, kVersion.size()) != kVersion) return std::nullopt;
  const size_t space = rawHeaders.find(' ');
  if (space == std::string_view::npos || rawHeaders.size() < space + 4) return std::nullopt;
  int status = 0;
  for (char digit : rawHeaders.substr(space + 1, 3)) {
    if (digit < '0' || digit > '9') return std::nullopt;
    status = status * 10 + (digit - '0');
  }
  const bool ends = rawHeaders.size() == space + 4 || rawHeaders[space + 4] == ' ' || rawHeaders[space + 4] == '\r';
  return ends ? std::optional<int>(status) : std::nullopt;
}

}  // namespace quorvane
