#pragma once
#include <optional>
#include <string_view>

#include "text/text.h"

namespace quorvane {

// The proxy list a request is opened with: "http=" and the address when a
// proxy is given and the URL is plain http. An https request always goes
// directly to its host, as an "http=" proxy list means on every platform.
std::optional<LocalText> requestProxyList(std::string_view url,
                                          const std::optional<LocalText>& proxyAddress);

}  // namespace quorvane
