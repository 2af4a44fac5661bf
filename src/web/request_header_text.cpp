#include "web/request_header_text.h"

namespace quorvane {
namespace {

bool contains(const LocalText& text, std::string_view part) {
  return text.find(part) != LocalText::npos;
}

}  // namespace

LocalText requestHeaderText(std::string_view extraHeaders, std::string_view url,
                            std::string_view cookies) {
  LocalText text(extraHeaders);
  if (!contains(text, "Referer:")) {
    text += text.empty() ? "Referer: " : "\r\nReferer: ";
    text += url;
  }
  if (!contains(text, "Accept:")) text += "\r\nAccept: */*";
  if (!contains(text, "Accept-Language:")) text += "\r\nAccept-Language: zh-cn";
  if (!contains(text, "Content-Type:")) text += "\r\nContent-Type: application/x-www-form-urlencoded";
  if (!cookies.empty()) {
    text += "\r\nCookie: ";
    text += cookies;
  }
  return text;
}

}  // namespace quorvane
