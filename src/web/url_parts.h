#pragma once
// What a request needs from a URL: the host to connect to, its port, the
// object name to ask for, and whether it goes over TLS. A URL without
// "http://" or "https://" is taken as plain http.
#include <string_view>

#include "text/text.h"

namespace quorvane {

// The host in lower case. With domainOnly, only its last two dot-separated
// labels ("a.b.c" gives "b.c"); with keepPort, a ":port" stays on it.
LocalText urlHost(std::string_view url, bool domainOnly = false, bool keepPort = false);

// The explicit port, else 443 for https and 80 otherwise.
int urlPort(std::string_view url);

// Everything from the first "/" after the host, query and fragment included,
// letter case kept; "/" when there is none.
LocalText urlPath(std::string_view url);

// True when the first five characters, lower-cased, are "https".
bool isHttpsUrl(std::string_view url);

}  // namespace quorvane
