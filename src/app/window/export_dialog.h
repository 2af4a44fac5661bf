#pragma once
// The Save dialog of "导出全部结果…": CSV files, the proposed name filled
// in, an existing file replaced only after the user agreed.
#include <windows.h>

#include <optional>
#include <string>

namespace quorvane {

// The path the user chose; nothing when the dialog was cancelled.
std::optional<std::wstring> askWhereToExport(HWND owner, const std::wstring& proposedName);

}  // namespace quorvane
