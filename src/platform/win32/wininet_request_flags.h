#pragma once
#include <windows.h>
#include <wininet.h>

#include "platform/http_transport.h"

namespace quorvane::platform {

// The INTERNET_FLAG_* set a request is opened with: always fresh from the
// server, with no cookie store, as a file WinInet may hand out; TLS, no
// automatic redirect and http-to-https redirects as the options say.
DWORD wininetRequestFlags(const HttpRequestOptions& options);

}  // namespace quorvane::platform
