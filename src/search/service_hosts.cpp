#include "search/service_hosts.h"

#include "platform/environment.h"

namespace quorvane {
namespace {

LocalText hostOrDefault(const char* variable, const char* fallback) {
  LocalText value = platform::environmentVariable(variable).value_or(LocalText());
  return value.empty() ? LocalText(fallback) : value;
}

}  // namespace

ServiceHosts serviceHostsFromEnvironment() {
  return {hostOrDefault("QUORVANE_SEARCH_HOST", kDefaultSearchHost),
          hostOrDefault("QUORVANE_PRESENCE_HOST", kDefaultPresenceHost)};
}

}  // namespace quorvane
