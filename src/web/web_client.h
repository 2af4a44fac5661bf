#pragma once
// WebClient: blocking HTTP(S) requests, one client per piece of work (a
// search, a contact round). Each request opens, uses and closes its own
// handles; nothing (cookie, cache entry, connection) survives it.
//
// Requests run on the client's request thread while the caller waits, so
// that abort() from another thread hands the caller back at once even where
// closing the handles does not end a blocked receive, and so that a request
// receiving no byte for the stall limit fails instead of holding the caller.
// The caller waits through the Wait it gives the client: on the window's
// thread the window's own, which keeps its events running and whose cancel
// stops the request at once; else a BlockingWait of the client's.
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/http_transport.h"
#include "text/text.h"
#include "wait/blocking_wait.h"
#include "wait/wait.h"
#include "web/page_fetcher.h"
#include "web/request_in_flight.h"
#include "web/request_thread.h"
#include "web/stall_limit.h"
#include "web/web_fetch_arguments.h"

namespace quorvane {

class WebClient : public PageFetcher {
 public:
  // Requests waited for through `wait`, which must outlive the client;
  // without one the client's own BlockingWait.
  explicit WebClient(std::shared_ptr<platform::HttpTransport> transport = platform::systemHttpTransport(),
                     std::chrono::milliseconds stallLimit = stallLimitFromEnvironment(), Wait* wait = nullptr);
  explicit WebClient(Wait& wait) : WebClient(platform::systemHttpTransport(), stallLimitFromEnvironment(), &wait) {}
  ~WebClient() override;
  WebClient(const WebClient&) = delete;
  WebClient& operator=(const WebClient&) = delete;

  // The response body exactly as received, whatever the status. Empty, with
  // the in/out and out arguments untouched, for a failed request: a handle
  // that could not be opened, a body cut short, over 32 MB or stalled, an
  // abort. A request that could not be sent gives an empty body with the
  // arguments rewritten as for an answer of no headers.
  ByteArray webFetch(const WebFetchArguments& arguments);

  // webFetch with the same arguments, the body read as UTF-8 and returned as
  // local text; "" for an empty body. Name the type when passing arguments,
  // fetchPageText(WebFetchArguments{.url = u, ...}): a bare brace list would
  // also fit the URL overload.
  LocalText fetchPageText(const WebFetchArguments& arguments);
  using PageFetcher::fetchPageText;

  // A GET of `url` with nothing else given, its body read as fetchPageText
  // reads it, in place. False when no whole answer came (see webFetch: not
  // sent, cut short, stalled, aborted) or the answer's status is 400 or above.
  bool fetchPageTextInto(const LocalText& url, LocalText& page) override;

  // The shop lookup's plain GET: the platform's own request for the URL,
  // redirects followed, no cookies; the body bytes, empty on failure.
  ByteArray plainGet(const LocalText& url);

  // From any thread: a call in flight returns at once with an empty body and
  // its arguments untouched, and every later call does so without touching
  // the network. The request's handles are closed from the aborting thread.
  // An aborted client stays aborted: a new piece of work takes a new client.
  void abort();
  bool aborted() const;

 private:
  using Work = std::function<std::optional<ByteArray>(RequestInFlight&)>;
  // webFetch; `answered`, when given, tells whether an answer came at all.
  ByteArray fetch(const WebFetchArguments& arguments, bool* answered);
  // Runs `work` on the request thread and waits for it: its result, or
  // nothing when it failed, stalled, was aborted or its wait cancelled.
  std::optional<ByteArray> runRequest(Work work);
  std::chrono::milliseconds platformTimeout() const;
  // The request becomes the one in flight; false for an aborted client.
  bool enlist(const std::shared_ptr<RequestInFlight>& request);
  void discharge();

  const std::shared_ptr<platform::HttpTransport> transport_;
  const std::chrono::milliseconds stallLimit_;
  BlockingWait ownWait_;
  Wait& wait_;
  RequestThread thread_;  // the calling thread's alone
  Utf16Text pageUnits_;   // the last page's UTF-16 form, its storage kept for the next; calling thread's alone
  mutable std::mutex mutex_;
  bool aborted_ = false;
  std::shared_ptr<RequestInFlight> inFlight_;  // a client makes one request at a time
};

}  // namespace quorvane
