#include "app/window/export_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "app/window/dialog_template.h"
#include "app/window/window_text.h"

namespace quorvane {
namespace {

constexpr char kCsvFiles[] = "CSV \xCE\xC4\xBC\xFE (*.csv)";                    // CSV 文件 (*.csv)
constexpr char kAllFiles[] = "\xCB\xF9\xD3\xD0\xCE\xC4\xBC\xFE (*.*)";          // 所有文件 (*.*)
// Room for a long path; the dialog refuses a longer one rather than cut it.
constexpr size_t kPathRoom = 32768;

// Pairs of description and pattern, each ending in NUL, the list in one more.
std::wstring fileTypes() {
  std::wstring types;
  for (const std::wstring& part : {toWide(kCsvFiles), std::wstring(L"*.csv"), toWide(kAllFiles), std::wstring(L"*.*")})
    types += part + L'\0';
  return types;
}

constexpr wchar_t kShownRows[] = L"\u663E\u793A\u7684\u884C\uFF0C\u6309\u663E\u793A\u7684\u987A\u5E8F\uFF08";  // 显示的行，按显示的顺序（
constexpr wchar_t kAllRows[] = L"\u5168\u90E8\u7ED3\u679C\uFF0C\u6309\u641C\u7D22\u7684\u987A\u5E8F\uFF08";  // 全部结果，按搜索的顺序（
constexpr wchar_t kRowsClosing[] = L" \u6761\uFF09";  // " 条）"
enum : WORD { kShownRowsButton = 201, kAllRowsButton = 202 };

// Below the dialog's own controls: the two choices.
DialogTemplate scopeTemplate() {
  DialogTemplate choice(WS_CHILD | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL, {0, 0, 260, 32}, L"");
  choice.add(L"BUTTON", L"", kShownRowsButton, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, {8, 3, 244, 11});
  choice.add(L"BUTTON", L"", kAllRowsButton, BS_AUTORADIOBUTTON, {8, 17, 244, 11});
  return choice;
}

UINT_PTR CALLBACK scopeHook(HWND choice, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* scope = reinterpret_cast<ExportScope*>(reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
    SetWindowLongPtrW(choice, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(scope));
    SetDlgItemTextW(choice, kShownRowsButton, (kShownRows + std::to_wstring(scope->shownRows) + kRowsClosing).c_str());
    SetDlgItemTextW(choice, kAllRowsButton, (kAllRows + std::to_wstring(scope->allRows) + kRowsClosing).c_str());
    CheckRadioButton(choice, kShownRowsButton, kAllRowsButton, scope->shownOnly ? kShownRowsButton : kAllRowsButton);
    return TRUE;
  }
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_FILEOK)
    if (auto* scope = reinterpret_cast<ExportScope*>(GetWindowLongPtrW(choice, GWLP_USERDATA)))
      scope->shownOnly = IsDlgButtonChecked(choice, kShownRowsButton) == BST_CHECKED;
  return 0;
}

}  // namespace

std::optional<std::wstring> askWhereToExport(HWND owner, const std::wstring& title, const std::wstring& proposedName,
                                             const std::wstring& folder, ExportScope* scope) {
  std::vector<wchar_t> path(kPathRoom, L'\0');
  proposedName.copy(path.data(), std::min(proposedName.size(), kPathRoom - 1));
  const std::wstring types = fileTypes();
  const DialogTemplate choice = scopeTemplate();
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = types.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = title.c_str();
  const DWORD attributes = folder.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    dialog.lpstrInitialDir = folder.c_str();
  dialog.lpstrDefExt = L"csv";
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (scope) {
    // The template is handed over as the memory it lies in, as Windows takes it.
    dialog.Flags |= OFN_ENABLETEMPLATEHANDLE | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    dialog.hInstance = reinterpret_cast<HINSTANCE>(const_cast<DLGTEMPLATE*>(choice.get()));
    dialog.lpfnHook = scopeHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(scope);
  }
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  return std::wstring(path.data());
}

}  // namespace quorvane
