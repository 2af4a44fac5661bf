#pragma once
// The scripted test server as the tests see it: its ports (written by the
// server beside this test program) and the URLs that script its answers.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace quorvane::testing {

class LoopbackServer {
 public:
  LoopbackServer();  // reads the ports the running server reported

  int httpPort() const { return http_; }
  int httpsPort() const { return https_; }
  int refusedPort() const { return closed_; }
  std::string httpUrl(std::string_view pathAndQuery) const;
  std::string httpsUrl(std::string_view pathAndQuery) const;  // host "localhost"
  std::string refusedUrl(std::string_view pathAndQuery) const;
  std::string proxyAddress() const;

  // Waits (bounded) until the server has written STATE/stalled/<name>.
  bool waitForMarker(std::string_view name) const;

 private:
  int http_ = 0, https_ = 0, closed_ = 0;
};

// A query value with every byte but letters and digits percent-encoded.
std::string queryValue(std::string_view text);

// The server's body for bytes=N: byte i is i % 251.
ByteArray patternBytes(std::size_t count);

// A request as the server echoed it: the request line, the header lines in
// the order received, and the body.
struct EchoedRequest {
  std::string requestLine;
  std::vector<std::string> headerLines;
  ByteArray body;
  // The value of the first line of that name (any letter case), if any.
  std::optional<std::string> header(std::string_view name) const;
};
EchoedRequest parseEcho(const ByteArray& echo);

}  // namespace quorvane::testing
