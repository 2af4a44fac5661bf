#pragma once
// Where the marketplace's two services live, as host[:port]. The settings
// file names them ([Services] SearchHost, PresenceHost); the environment
// (QUORVANE_SEARCH_HOST, QUORVANE_PRESENCE_HOST) overrides it where a
// variable is set and not empty; without either, the loopback address the
// bundled substitute marketplace listens on.
#include "text/text.h"

namespace quorvane {

constexpr const char* kDefaultSearchHost = "127.0.0.1:8443";
constexpr const char* kDefaultPresenceHost = "127.0.0.1:8080";

struct ServiceHosts {
  LocalText search = kDefaultSearchHost;    // HTTPS shop search
  LocalText presence = kDefaultPresenceHost;  // plain-HTTP IM presence

  bool operator==(const ServiceHosts&) const = default;
};

// `configured` (the settings file's hosts, or the defaults), each replaced
// by its environment variable where that is set and not empty.
ServiceHosts serviceHostsFromEnvironment(const ServiceHosts& configured = {});

// Whether `text` is a host as the services take it: a name or an IPv4
// address (letters, digits, "-", "_", "."), or an IPv6 address in brackets,
// optionally followed by ":" and a port from 1 to 65535. No scheme, path,
// spaces or user part; at most 255 characters.
bool isServiceHost(const LocalText& text);

}  // namespace quorvane
