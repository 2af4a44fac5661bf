#include "web/url_parts.h"

#include <climits>

#include "text/letter_case.h"
#include "text/text_between.h"
#include "text/text_pieces.h"

namespace quorvane {
namespace {

constexpr std::string_view kHttps = "https://";
constexpr std::string_view kHttp = "http://";

// Leading digits as a number (0 when there are none), held within int.
int leadingNumber(std::string_view text) {
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(value);
}

// Where the host begins: after the scheme that urlHost took it from.
std::size_t hostSearchStart(std::string_view url) {
  LocalText lower = toLowerLetters(url);
  if (lower.starts_with(kHttps)) return kHttps.size();
  std::size_t http = lower.find(kHttp);
  return http == LocalText::npos ? 0 : http + kHttp.size();
}

}  // namespace

bool isHttpsUrl(std::string_view url) { return toLowerLetters(url.substr(0, 5)) == "https"; }

LocalText urlHost(std::string_view url, bool domainOnly, bool keepPort) {
  LocalText s = toLowerLetters(url);
  if (!s.ends_with('/')) s += '/';
  if (s.starts_with(kHttps)) {
    s = textBetween(s, kHttps, "/");
  } else {
    if (s.find(kHttp) == LocalText::npos) s.insert(0, kHttp);
    s = textBetween(s, kHttp, "/");
  }
  if (domainOnly) {
    std::vector<LocalText> labels = splitText(s, ".");
    if (labels.size() > 1) s = labels[labels.size() - 2] + "." + labels.back();
  }
  if (keepPort) return s;
  std::size_t colon = s.find(':');
  return colon == LocalText::npos ? s : s.substr(0, colon);
}

int urlPort(std::string_view url) {
  LocalText host = urlHost(url, false, true);
  std::size_t colon = host.rfind(':');
  if (colon != LocalText::npos) return leadingNumber(std::string_view(host).substr(colon + 1));
  return isHttpsUrl(url) ? 443 : 80;
}

// The host is looked for after the scheme, so that a host such as "p" or
// "ps" is not found inside "https" itself.
LocalText urlPath(std::string_view url) {
  LocalText host = urlHost(url);
  std::size_t at = findIgnoringLetterCase(url, host, hostSearchStart(url));
  if (at == std::string_view::npos) return "/";
  std::size_t slash = url.find('/', at);
  if (slash == std::string_view::npos) return "/";
  return LocalText(url.substr(slash));
}

}  // namespace quorvane
