#include "web/web_client.h"

#include "text/encodings.h"
#include "web/argument_copies.h"
#include "web/plain_get.h"
#include "web/response_header_scan.h"
#include "web/web_fetch.h"

namespace quorvane {

WebClient::WebClient(std::shared_ptr<platform::HttpTransport> transport, std::chrono::milliseconds stallLimit,
                     Wait* wait)
    : transport_(std::move(transport)), stallLimit_(stallLimit), wait_(wait ? *wait : ownWait_) {}

WebClient::~WebClient() = default;

ByteArray WebClient::webFetch(const WebFetchArguments& arguments) { return fetch(arguments, nullptr); }

ByteArray WebClient::fetch(const WebFetchArguments& arguments, bool* answered) {
  auto copies = std::make_shared<ArgumentCopies>(arguments);
  // Written on the request thread before the request finishes; read here
  // only once it has.
  auto sent = std::make_shared<bool>(false);
  std::optional<ByteArray> body = runRequest([copies, sent, timeout = platformTimeout()](RequestInFlight& request) {
    return runWebFetch(request, copies->arguments(), timeout, sent.get());
  });
  if (answered) *answered = body && *sent;
  if (!body) return {};
  copies->deliver();
  return std::move(*body);
}

LocalText WebClient::fetchPageText(const WebFetchArguments& arguments) {
  return utf8ToLocal(webFetch(arguments));
}

bool WebClient::fetchPageTextInto(const LocalText& url, LocalText& page) {
  // The header text is only read back, so the request is the URL's alone.
  // A header text too long to be read gives no status: the answer counts.
  LocalText rawHeaders;
  bool answered = false;
  utf8ToLocal(fetch(WebFetchArguments{.url = url, .rawHeaders = &rawHeaders}, &answered), page, pageUnits_);
  const std::optional<int> status = responseStatus(rawHeaders);
  return answered && !(status && *status >= 400);
}

ByteArray WebClient::plainGet(const LocalText& url) {
  return runRequest([url, timeout = platformTimeout()](RequestInFlight& request) {
           return runPlainGet(request, url, timeout);
         })
      .value_or(ByteArray());
}

std::chrono::milliseconds WebClient::platformTimeout() const { return stallLimit_ + kPlatformTimeoutMargin; }

void WebClient::abort() {
  std::shared_ptr<RequestInFlight> request;
  {
    std::lock_guard lock(mutex_);
    aborted_ = true;
    request = inFlight_;
  }
  if (request) request->stop();
}

bool WebClient::aborted() const {
  std::lock_guard lock(mutex_);
  return aborted_;
}

std::optional<ByteArray> WebClient::runRequest(Work work) {
  auto request = std::make_shared<RequestInFlight>(transport_);
  if (!enlist(request)) return std::nullopt;
  auto result = std::make_shared<std::optional<ByteArray>>();
  const bool started = thread_.run([request, result, work = std::move(work)] {
    try {
      *result = work(*request);
    } catch (...) {
      result->reset();  // a body too large for memory is a failed request
    }
    request->finish();
  });
  const RequestInFlight::End end =
      started ? request->waitForEnd(stallLimit_, wait_) : RequestInFlight::End::Stopped;
  discharge();
  if (end == RequestInFlight::End::Finished) return std::move(*result);
  // Closing the handles ends the request on Windows. Wine's receive may keep
  // waiting: the thread finishes on its own, holding only its request.
  request->stop();
  if (started) thread_.abandon();
  return std::nullopt;
}

bool WebClient::enlist(const std::shared_ptr<RequestInFlight>& request) {
  std::lock_guard lock(mutex_);
  // A cancelled wait makes no more requests; nor does a client in the
  // middle of one (a caller of two threads at once).
  if (aborted_ || inFlight_ || wait_.cancelled()) return false;
  inFlight_ = request;
  return true;
}

void WebClient::discharge() {
  std::lock_guard lock(mutex_);
  inFlight_.reset();
}

}  // namespace quorvane
