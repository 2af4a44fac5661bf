#pragma once
// The Save dialog of the grid's exports as a user answers it: the rows to
// export (the choice of "导出全部结果…", by the start of its caption), the
// file's path typed over the proposed name, 保存. Returns the file's bytes
// once written.
#include <windows.h>

#include <optional>
#include <string>

#include "ui_driver.h"

namespace quorvane::testing {

inline HWND waitForExportDialog(const ui::App& app, const std::wstring& title) {
  HWND dialog = nullptr;
  ui::waitUntil([&] {
    dialog = app.topLevelWindow(L"#32770", title);
    return dialog && IsWindowVisible(dialog);
  });
  return dialog;
}

// The file name box of the dialog (cmb13, or edt1 where the dialog has no list).
inline HWND exportNameBox(HWND dialog) {
  HWND box = GetDlgItem(dialog, 0x47C);
  return box ? box : GetDlgItem(dialog, 0x480);
}

// A button of the dialog's own choice whose caption starts with `start`.
inline HWND exportChoice(HWND dialog, const std::wstring& start) {
  for (HWND button : ui::findControls(dialog, L"Button", L""))
    if (ui::text(button).rfind(start, 0) == 0) return button;
  return nullptr;
}

inline std::optional<std::string> saveExport(const ui::App& app, HWND dialog, const std::wstring& name,
                                             const std::wstring& choice = L"") {
  if (!choice.empty()) {
    HWND button = exportChoice(dialog, choice);
    if (!button) return std::nullopt;
    ui::click(button);
  }
  const std::wstring path = app.folder() + L"\\" + name;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(exportNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG,
                      5000, &ignored);
  ui::click(GetDlgItem(dialog, IDOK));
  std::optional<std::string> file;
  ui::waitUntil([&] { return (file = app.readFile(name)).has_value(); });
  return file;
}

}  // namespace quorvane::testing
