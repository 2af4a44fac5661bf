#include "search/service_hosts.h"

#include <string_view>

#include "platform/environment.h"

namespace quorvane {
namespace {

LocalText hostOrConfigured(const char* variable, const LocalText& configured) {
  LocalText value = platform::environmentVariable(variable).value_or(LocalText());
  return value.empty() ? configured : value;
}

bool isNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == '.';
}

bool isIpv6Character(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

bool isPort(std::string_view digits) {
  if (digits.empty() || digits.size() > 5 || digits.front() == '0') return false;
  int port = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    port = port * 10 + (c - '0');
  }
  return port <= 65535;
}

}  // namespace

ServiceHosts serviceHostsFromEnvironment(const ServiceHosts& configured) {
  return {hostOrConfigured("QUORVANE_SEARCH_HOST", configured.search),
          hostOrConfigured("QUORVANE_PRESENCE_HOST", configured.presence)};
}

bool isServiceHost(const LocalText& text) {
  constexpr size_t kLongest = 255;
  if (text.empty() || text.size() > kLongest) return false;
  std::string_view rest = text;
  std::string_view host;
  if (rest.front() == '[') {
    const size_t close = rest.find(']');
    if (close == std::string_view::npos || close < 3) return false;
    for (char c : rest.substr(1, close - 1))
      if (!isIpv6Character(c)) return false;
    host = rest.substr(0, close + 1);
    rest.remove_prefix(close + 1);
  } else {
    const size_t colon = rest.find(':');
    host = rest.substr(0, colon);
    if (host.empty() || host.front() == '.' || host.front() == '-') return false;
    for (char c : host)
      if (!isNameCharacter(c)) return false;
    rest.remove_prefix(host.size());
  }
  if (rest.empty()) return true;
  return rest.front() == ':' && isPort(rest.substr(1));
}

}  // namespace quorvane
