#pragma once
#include "platform/web_client.h"
#include "platform/win32/internet_handle_set.h"

namespace quorvane::platform {

// One request through WinInet on the calling thread, its handles kept in
// `handles` so that another thread can stop it. The arguments are rewritten
// as webFetch describes; nothing more is touched once the set is stopped.
ByteArray wininetFetch(InternetHandleSet& handles, const WebFetchArguments& arguments);

}  // namespace quorvane::platform
