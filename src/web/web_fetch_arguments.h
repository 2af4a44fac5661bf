#pragma once
// The arguments of one webFetch. An omitted input takes its default; an
// omitted in/out or out argument is a null pointer, otherwise it names the
// caller's own variable, which the call reads and rewrites.
#include <optional>

#include "text/text.h"

namespace quorvane {

struct WebFetchArguments {
  // "http://" or "https://" in any letter case; a URL with neither is http.
  LocalText url = {};
  // 1 = POST, any other = GET; 0 (the default) sends no body.
  std::optional<int> method = std::nullopt;
  // The body when bodyBytes is empty.
  std::optional<LocalText> bodyText = std::nullopt;
  // in/out: sent as a Cookie line when not empty; becomes the merged jar.
  LocalText* cookies = nullptr;
  // out: the name=value pairs this response set, joined by ";".
  LocalText* receivedCookies = nullptr;
  // in/out: CR LF separated, no trailing CR LF; becomes the header text sent.
  LocalText* extraHeaders = nullptr;
  // out: the Location value, or the whole raw header text without one.
  LocalText* location = nullptr;
  // true: redirects are not followed, the redirect answer is the result.
  std::optional<bool> noRedirect = std::nullopt;
  // in/out: the body sent; filled from bodyText when empty and a body is sent.
  ByteArray* bodyBytes = nullptr;
  // "host:port" of an HTTP proxy for plain http; omitted or "" = direct.
  std::optional<LocalText> proxyAddress = std::nullopt;
  // out: the status line and header lines, each ended by CR LF.
  LocalText* rawHeaders = nullptr;
};

}  // namespace quorvane
