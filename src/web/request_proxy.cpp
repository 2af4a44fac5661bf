#include "web/request_proxy.h"

#include "web/url_parts.h"

namespace quorvane {

std::optional<LocalText> requestProxyList(std::string_view url,
                                          const std::optional<LocalText>& proxyAddress) {
  if (!proxyAddress || proxyAddress->empty() || isHttpsUrl(url)) return std::nullopt;
  return "http=" + *proxyAddress;
}

}  // namespace quorvane
