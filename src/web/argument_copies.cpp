#include "web/argument_copies.h"

#include <utility>

namespace quorvane {
namespace {

template <class T>
T* copyOf(const T* callers, T& copy) {
  if (!callers) return nullptr;
  copy = *callers;
  return &copy;
}

template <class T>
void copyBack(T& copy, T* callers) {
  if (callers) *callers = std::move(copy);
}

}  // namespace

ArgumentCopies::ArgumentCopies(const WebFetchArguments& caller) : caller_(caller), own_(caller) {
  own_.cookies = copyOf(caller.cookies, cookies_);
  own_.receivedCookies = copyOf(caller.receivedCookies, receivedCookies_);
  own_.extraHeaders = copyOf(caller.extraHeaders, extraHeaders_);
  own_.location = copyOf(caller.location, location_);
  own_.bodyBytes = copyOf(caller.bodyBytes, bodyBytes_);
  own_.rawHeaders = copyOf(caller.rawHeaders, rawHeaders_);
}

void ArgumentCopies::deliver() {
  copyBack(cookies_, caller_.cookies);
  copyBack(receivedCookies_, caller_.receivedCookies);
  copyBack(extraHeaders_, caller_.extraHeaders);
  copyBack(location_, caller_.location);
  copyBack(bodyBytes_, caller_.bodyBytes);
  copyBack(rawHeaders_, caller_.rawHeaders);
}

}  // namespace quorvane
