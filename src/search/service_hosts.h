#pragma once
// Where the marketplace's two services live, as host[:port]. Read from the
// environment (QUORVANE_SEARCH_HOST, QUORVANE_PRESENCE_HOST); an unset or
// empty variable gives the loopback address the bundled substitute
// marketplace listens on.
#include "text/text.h"

namespace quorvane {

constexpr const char* kDefaultSearchHost = "127.0.0.1:8443";
constexpr const char* kDefaultPresenceHost = "127.0.0.1:8080";

struct ServiceHosts {
  LocalText search = kDefaultSearchHost;    // HTTPS shop search
  LocalText presence = kDefaultPresenceHost;  // plain-HTTP IM presence
};

ServiceHosts serviceHostsFromEnvironment();

}  // namespace quorvane
