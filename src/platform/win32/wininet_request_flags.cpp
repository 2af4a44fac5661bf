#include "platform/win32/wininet_request_flags.h"

namespace quorvane::platform {

DWORD wininetRequestFlags(const HttpRequestOptions& options) {
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NEED_FILE | INTERNET_FLAG_NO_COOKIES;
  if (!options.followRedirects) flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
  if (options.secure) flags |= INTERNET_FLAG_SECURE;
  if (options.redirectToHttpsAllowed) flags |= INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
  return flags;
}

}  // namespace quorvane::platform
