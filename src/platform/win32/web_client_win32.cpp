#include "platform/web_client.h"

#include <system_error>
#include <thread>

#include "platform/win32/internet_handle_set.h"
#include "platform/win32/wininet_fetch.h"
#include "web/encodings.h"

namespace quorvane::platform {
namespace {

// One call's arguments, copied so that its request thread never writes into
// the caller's variables: they receive the results only when the call ends
// unaborted. An omitted argument stays omitted in the copy.
class FetchJob {
 public:
  explicit FetchJob(const WebFetchArguments& caller) : caller_(caller), own_(caller) {
    own_.cookies = copyOf(caller.cookies, cookies_);
    own_.receivedCookies = copyOf(caller.receivedCookies, receivedCookies_);
    own_.extraHeaders = copyOf(caller.extraHeaders, extraHeaders_);
    own_.location = copyOf(caller.location, location_);
    own_.bodyBytes = copyOf(caller.bodyBytes, bodyBytes_);
    own_.rawHeaders = copyOf(caller.rawHeaders, rawHeaders_);
  }
  FetchJob(const FetchJob&) = delete;
  FetchJob& operator=(const FetchJob&) = delete;

  void run(InternetHandleSet& handles) {
    try {
      body_ = wininetFetch(handles, own_);
    } catch (...) {
      body_.clear();
    }
    handles.markDone(done_);
  }

  bool& done() { return done_; }

  ByteArray deliver() {
    copyBack(cookies_, caller_.cookies);
    copyBack(receivedCookies_, caller_.receivedCookies);
    copyBack(extraHeaders_, caller_.extraHeaders);
    copyBack(location_, caller_.location);
    copyBack(bodyBytes_, caller_.bodyBytes);
    copyBack(rawHeaders_, caller_.rawHeaders);
    return std::move(body_);
  }

 private:
  template <class T>
  static T* copyOf(const T* callers, T& copy) {
    if (!callers) return nullptr;
    copy = *callers;
    return &copy;
  }
  template <class T>
  static void copyBack(T& copy, T* callers) {
    if (callers) *callers = std::move(copy);
  }

  WebFetchArguments caller_, own_;
  LocalText cookies_, receivedCookies_, extraHeaders_, location_, rawHeaders_;
  ByteArray bodyBytes_, body_;
  bool done_ = false;
};

}  // namespace

WebClient::WebClient() : handles_(std::make_shared<InternetHandleSet>()) {}

WebClient::~WebClient() = default;

ByteArray WebClient::webFetch(const WebFetchArguments& arguments) {
  if (handles_->stopped()) return {};
  auto job = std::make_shared<FetchJob>(arguments);
  std::thread worker;
  try {
    worker = std::thread([job, handles = handles_] { job->run(*handles); });
  } catch (const std::system_error&) {
    return {};
  }
  if (!handles_->waitUntilDone(job->done())) {
    // Closing the handles ends the request on Windows; Wine's receive keeps
    // waiting for the server, so the thread finishes on its own, holding only
    // its job and the handle set.
    worker.detach();
    return {};
  }
  worker.join();
  return job->deliver();
}

LocalText WebClient::fetchPageText(const WebFetchArguments& arguments) {
  return utf8ToLocal(webFetch(arguments));
}

LocalText WebClient::fetchPageText(const LocalText& url) {
  return fetchPageText(WebFetchArguments{.url = url});
}

void WebClient::abort() { handles_->stop(); }

bool WebClient::aborted() const { return handles_->stopped(); }

}  // namespace quorvane::platform
