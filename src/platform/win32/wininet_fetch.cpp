#include "platform/win32/wininet_fetch.h"

#include <algorithm>
#include <new>
#include <optional>

#include "web/request_agent.h"
#include "web/request_flags.h"
#include "web/request_header_text.h"
#include "web/request_method.h"
#include "web/request_proxy.h"
#include "web/response_header_scan.h"
#include "web/url_parts.h"

namespace quorvane::platform {
namespace {

constexpr DWORD kReadChunk = 1024;
// Real pages are a few hundred KB; a server that sends without end must not
// take the process's memory with it.
constexpr size_t kLargestBody = 32u * 1024 * 1024;
constexpr DWORD kRawHeaderBuffer = 5000;

HINTERNET openRoot(const LocalText& agent, const std::optional<LocalText>& proxyList) {
  if (!proxyList) return InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, "", "", 0);
  return InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxyList->c_str(), "", 0);
}

// Reads in 1024-byte chunks until a read yields nothing; nullopt for a body
// larger than kLargestBody.
std::optional<ByteArray> readBody(HINTERNET request, const InternetHandleSet& handles) {
  ByteArray body;
  char chunk[kReadChunk];
  while (!handles.stopped()) {
    DWORD count = 0;
    if (!InternetReadFile(request, chunk, kReadChunk, &count) || count == 0) break;
    if (body.size() + count > kLargestBody) return std::nullopt;
    body.append(chunk, count);
  }
  return body;
}

// A header text that does not fit leaves the buffer as it was: all spaces.
LocalText readRawHeaders(HINTERNET request) {
  char buffer[kRawHeaderBuffer];
  std::fill(std::begin(buffer), std::end(buffer), ' ');
  DWORD length = kRawHeaderBuffer;
  HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr);
  return LocalText(buffer, std::find(std::begin(buffer), std::end(buffer), '\0'));
}

ByteArray fetch(InternetHandleSet& handles, const WebFetchArguments& a) {
  const int method = a.method.value_or(0);
  const LocalText extraHeaders = a.extraHeaders ? *a.extraHeaders : LocalText();

  TrackedHandle root(handles, openRoot(requestAgent(extraHeaders), requestProxyList(a.url, a.proxyAddress)));
  if (!root) return {};
  const int port = urlPort(a.url);
  if (port < 0 || port > 0xFFFF) return {};  // would wrap round to another port
  TrackedHandle connection(handles, InternetConnectA(root.get(), urlHost(a.url).c_str(),
                                                     static_cast<INTERNET_PORT>(port), "", "",
                                                     INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return {};
  const LocalText verb = requestVerb(method);
  const LocalText objectName = urlPath(a.url);
  const DWORD flags = requestFlags(a.url, a.noRedirect.value_or(false));
  TrackedHandle request(handles, HttpOpenRequestA(connection.get(), verb.c_str(), objectName.c_str(),
                                                  "HTTP/1.1", nullptr, nullptr, flags, 0));
  if (!request) return {};

  LocalText cookies = a.cookies ? *a.cookies : LocalText();
  const LocalText headerText = requestHeaderText(extraHeaders, a.url, cookies);
  if (a.extraHeaders) *a.extraHeaders = headerText;
  ByteArray ownBodyBytes;
  const ByteArray body = requestBody(method, a.bodyText.value_or(LocalText()),
                                     a.bodyBytes ? *a.bodyBytes : ownBodyBytes);
  // Wine answers the header query of a request that was never sent with an
  // empty header set; Windows leaves the buffer alone. Both now give spaces.
  const bool sent = HttpSendRequestA(request.get(), headerText.c_str(),
                                     static_cast<DWORD>(headerText.size()),
                                     body.empty() ? nullptr : const_cast<char*>(body.data()),
                                     static_cast<DWORD>(body.size()));
  std::optional<ByteArray> answer = readBody(request.get(), handles);
  if (!answer || handles.stopped()) return {};  // too large: a failed request
  ByteArray response = std::move(*answer);
  const LocalText rawHeaders = sent ? readRawHeaders(request.get()) : LocalText(kRawHeaderBuffer, ' ');
  if (handles.stopped()) return {};
  request.close();
  connection.close();
  root.close();

  LocalText receivedCookies, location;
  scanResponseHeaders(rawHeaders, cookies, receivedCookies, location);
  if (a.cookies) *a.cookies = cookies;
  if (a.receivedCookies) *a.receivedCookies = receivedCookies;
  if (a.location) *a.location = location;
  if (a.rawHeaders) *a.rawHeaders = rawHeaders;
  return response;
}

}  // namespace

ByteArray wininetFetch(InternetHandleSet& handles, const WebFetchArguments& arguments) {
  try {
    return fetch(handles, arguments);
  } catch (const std::bad_alloc&) {
    return {};  // a body too large for memory is a failed request
  }
}

}  // namespace quorvane::platform
