#pragma once
// The Save dialog of the grid's exports: CSV files, the proposed name filled
// in, an existing file replaced only after the user agreed. "导出全部结果…"
// also asks which rows: those the grid shows, in its order, or every result
// in the search's order.
#include <windows.h>

#include <optional>
#include <string>

namespace quorvane {

struct ExportScope {
  int shownRows = 0;
  int allRows = 0;
  bool shownOnly = true;  // the choice offered first, and then the user's
};

// The path the user chose; nothing when the dialog was cancelled. The dialog
// opens in `folder` where one is given and still there. With `scope`, the
// dialog offers its choice and leaves the user's in it.
std::optional<std::wstring> askWhereToExport(HWND owner, const std::wstring& title, const std::wstring& proposedName,
                                             const std::wstring& folder, ExportScope* scope = nullptr);

}  // namespace quorvane
