#pragma once
// Blocking HTTP(S) requests. Each call opens, uses and closes its own
// internet handles; nothing (cookie, cache entry, connection) survives it.
#include <memory>
#include <optional>

#include "web/page_fetcher.h"
#include "text/text.h"

namespace quorvane::platform {

// The arguments of one request. An omitted input takes its default; an
// omitted in/out or out argument is a null pointer, otherwise it names the
// caller's own variable, which the call reads and rewrites.
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

class InternetHandleSet;

// Each call runs its request on a thread of its own and waits for it, so
// that abort() can hand the caller back at once even where closing the
// handles does not interrupt a blocked receive.
class WebClient : public PageFetcher {
 public:
  WebClient();
  ~WebClient() override;
  WebClient(const WebClient&) = delete;
  WebClient& operator=(const WebClient&) = delete;

  // The response body exactly as received, whatever the status; empty when
  // the root handle, the connection or the request could not be opened (the
  // in/out and out arguments are then left untouched) or when aborted.
  ByteArray webFetch(const WebFetchArguments& arguments);

  // webFetch with the same arguments, the body read as UTF-8 and returned as
  // local text; "" for an empty body. Name the type when passing arguments,
  // fetchPageText(WebFetchArguments{.url = u, ...}): a bare brace list would
  // also fit the URL overload.
  LocalText fetchPageText(const WebFetchArguments& arguments);
  LocalText fetchPageText(const LocalText& url) override;

  // From any thread: a call in flight returns at once with an empty body and
  // its arguments untouched, and every later call does so without touching
  // the network. The request's handles are closed from the aborting thread.
  // An aborted client stays aborted: a new piece of work takes a new client.
  void abort();
  bool aborted() const;

 private:
  std::shared_ptr<InternetHandleSet> handles_;
};

// A plain GET of one URL, http or https, following redirects, with the
// platform's own headers and no cookies: the body bytes, empty on failure.
ByteArray plainHttpGet(const LocalText& url);

}  // namespace quorvane::platform
