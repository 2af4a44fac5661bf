#pragma once
// Finds the notification area's toolbars and lists the logged-in IM accounts
// from their icons.
#include <windows.h>

#include <vector>

#include "imaccounts/discover_im_accounts.h"

namespace quorvane::platform {

// The toolbar of the visible tray icons, then the toolbar of the hidden ones
// (the overflow window of Windows 7 and later) where the shell has one.
std::vector<HWND> findTrayToolbars();

// Reads every tray toolbar across processes into `accounts`.
void DiscoverImAccounts(AccountList& accounts);

}  // namespace quorvane::platform
