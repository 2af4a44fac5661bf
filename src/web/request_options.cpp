#include "web/request_options.h"

#include "web/url_parts.h"

namespace quorvane {

platform::HttpRequestOptions requestOptions(std::string_view url, bool noRedirect) {
  const bool secure = isHttpsUrl(url);
  return {.secure = secure, .followRedirects = !noRedirect, .redirectToHttpsAllowed = !secure};
}

}  // namespace quorvane
