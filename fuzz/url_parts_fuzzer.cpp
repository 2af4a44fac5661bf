// Input: a URL.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "web/url_parts.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view url(reinterpret_cast<const char*>(data), size);

  const LocalText host = urlHost(url);
  const LocalText hostWithPort = urlHost(url, false, true);
  const LocalText domain = urlHost(url, true);
  FUZZ_CHECK(host.find('/') == LocalText::npos && host.find(':') == LocalText::npos);
  FUZZ_CHECK(hostWithPort.starts_with(host));
  FUZZ_CHECK(std::count(domain.begin(), domain.end(), '.') <= 1);

  const int port = urlPort(url);
  FUZZ_CHECK(port >= 0);
  if (hostWithPort == host) FUZZ_CHECK(port == (isHttpsUrl(url) ? 443 : 80));

  const LocalText path = urlPath(url);
  FUZZ_CHECK(path.starts_with('/'));
  FUZZ_CHECK(path == "/" || url.ends_with(path));
  return 0;
}
