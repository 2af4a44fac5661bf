#pragma once
// A transport for the web engine's tests: it records every call with its
// arguments and thread, and answers as the test scripts it. Handles are
// numbered from 1 and never reused. A read may be made to block, as Wine's
// receive does: closing its handle does not end it; after release() it (and
// every later read) goes on as scripted.
#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/http_transport.h"

namespace quorvane::testing {

class FakeHttpTransport : public platform::HttpTransport {
 public:
  struct Call {
    std::string text;  // "name handle arguments..."
    std::thread::id thread;
  };

  // ---- the script
  bool rootOpens = true, connectionOpens = true, requestOpens = true, urlOpens = true, sendWorks = true;
  ByteArray body;                              // handed out in reads of at most `piece` bytes
  std::size_t piece = 1024;
  std::optional<std::size_t> readFailsAt;      // the read that would start at this offset fails
  std::optional<std::size_t> readBlocksAt;     // ... blocks until release()
  std::function<void()> beforeEachRead;        // runs on the request thread before each read
  std::optional<std::string> rawHeaders = std::string("HTTP/1.1 200 OK\r\n\r\n");  // none: the query fails

  // ---- what happened
  std::vector<Call> calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  std::vector<std::string> callTexts() const {
    std::vector<std::string> texts;
    for (const Call& call : calls()) texts.push_back(call.text);
    return texts;
  }
  std::vector<std::size_t> readSizes() const {
    std::lock_guard lock(mutex_);
    return readSizes_;
  }
  bool blocked() const {
    std::lock_guard lock(mutex_);
    return blocked_;
  }
  void waitUntilBlocked() const {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return blocked_; });
  }
  void release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }

  // ---- the transport
  platform::HttpHandle openRoot(const LocalText& agent, const std::optional<LocalText>& proxyList) override {
    return open(rootOpens, "openRoot", agent + " | " + proxyList.value_or("direct"));
  }
  void setTimeouts(platform::HttpHandle handle, std::uint32_t milliseconds) override {
    record("setTimeouts " + std::to_string(handle) + " " + std::to_string(milliseconds));
  }
  platform::HttpHandle connect(platform::HttpHandle root, const LocalText& host, std::uint16_t port) override {
    return open(connectionOpens, "connect", std::to_string(root) + " " + host + ":" + std::to_string(port));
  }
  platform::HttpHandle openRequest(platform::HttpHandle connection, const LocalText& verb, const LocalText& objectName,
                                   const platform::HttpRequestOptions& options) override {
    return open(requestOpens, "openRequest",
                std::to_string(connection) + " " + verb + " " + objectName + (options.secure ? " secure" : "") +
                    (options.followRedirects ? "" : " no-redirect") +
                    (options.redirectToHttpsAllowed ? " to-https" : ""));
  }
  bool send(platform::HttpHandle request, std::string_view headerText, std::string_view body) override {
    record("send " + std::to_string(request) + " [" + std::string(headerText) + "] [" + std::string(body) + "]");
    return sendWorks;
  }
  platform::HttpHandle openUrl(platform::HttpHandle root, const LocalText& url) override {
    return open(urlOpens, "openUrl", std::to_string(root) + " " + url);
  }
  std::optional<std::size_t> read(platform::HttpHandle request, std::span<char> buffer) override {
    if (beforeEachRead) beforeEachRead();
    std::unique_lock lock(mutex_);
    calls_.push_back({"read " + std::to_string(request), std::this_thread::get_id()});
    readSizes_.push_back(buffer.size());
    std::size_t& at = at_[request];  // each request reads the body from its start
    if (readBlocksAt && at == *readBlocksAt) {
      blocked_ = true;
      changed_.notify_all();
      changed_.wait(lock, [&] { return released_; });
      blocked_ = false;
    }
    if (readFailsAt && at == *readFailsAt) return std::nullopt;
    if (!sendWorks) return std::nullopt;
    const std::size_t count = std::min({piece, buffer.size(), body.size() - at});
    std::memcpy(buffer.data(), body.data() + at, count);
    at += count;
    return count;
  }
  void queryRawHeaders(platform::HttpHandle request, std::span<char> buffer) override {
    record("queryRawHeaders " + std::to_string(request));
    if (!rawHeaders || rawHeaders->size() + 1 > buffer.size()) return;
    std::memcpy(buffer.data(), rawHeaders->c_str(), rawHeaders->size() + 1);
  }
  void close(platform::HttpHandle handle) override { record("close " + std::to_string(handle)); }

 private:
  platform::HttpHandle open(bool opens, const std::string& name, const std::string& arguments) {
    std::lock_guard lock(mutex_);
    const platform::HttpHandle handle = opens ? ++lastHandle_ : platform::kNoHandle;
    calls_.push_back({name + " " + std::to_string(handle) + " " + arguments, std::this_thread::get_id()});
    return handle;
  }
  void record(const std::string& text) {
    std::lock_guard lock(mutex_);
    calls_.push_back({text, std::this_thread::get_id()});
  }

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<Call> calls_;
  std::vector<std::size_t> readSizes_;
  platform::HttpHandle lastHandle_ = 0;
  std::map<platform::HttpHandle, std::size_t> at_;
  bool blocked_ = false, released_ = false;
};

}  // namespace quorvane::testing
