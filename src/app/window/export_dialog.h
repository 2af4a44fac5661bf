#pragma once
// The Save dialog of "导出全部结果…": CSV files, the proposed name filled
// in, an existing file replaced only after the user agreed.
#include <windows.h>

#include <optional>
#include <string>

namespace quorvane {

// The path the user chose; nothing when the dialog was cancelled. The dialog
// opens in `folder` where one is given and still there.
std::optional<std::wstring> askWhereToExport(HWND owner, const std::wstring& proposedName, const std::wstring& folder);

}  // namespace quorvane
