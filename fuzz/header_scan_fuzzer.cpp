// Input: [jar length][jar][raw response headers]. The scan, the cookie merge
// and the announced body length of the same header text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "web/cookie_jar.h"
#include "web/response_header_scan.h"
#include "web/response_reading.h"

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t jarLength = std::min<size_t>(data[0], rest.size());
  const LocalText jar(rest.substr(0, jarLength));
  const std::string_view raw = rest.substr(jarLength);

  LocalText cookies = jar, received = "stale", location = "stale";
  scanResponseHeaders(raw, cookies, received, location);
  FUZZ_CHECK(location.empty() == raw.empty());
  FUZZ_CHECK(location.size() <= raw.size());
  FUZZ_CHECK(received.find(' ') == LocalText::npos);

  // The jar is exactly what folding the received cookies into it gives.
  LocalText expected = jar, receivedAgain = received;
  mergeCookies(expected, receivedAgain);
  FUZZ_CHECK(cookies == expected);

  // A body is whole exactly from the announced length on; without one, any
  // body is.
  const std::optional<size_t> announced = announcedBodyLength(raw);
  if (!announced) {
    FUZZ_CHECK(isWholeBody(ByteArray(), raw));
  } else if (*announced <= (1u << 16)) {
    FUZZ_CHECK(isWholeBody(ByteArray(*announced, 'x'), raw));
    if (*announced > 0) FUZZ_CHECK(!isWholeBody(ByteArray(*announced - 1, 'x'), raw));
  }
  return 0;
}
