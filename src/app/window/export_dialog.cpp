#include "app/window/export_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "app/window/window_text.h"

namespace quorvane {
namespace {

constexpr char kTitle[] = "\xB5\xBC\xB3\xF6\xC8\xAB\xB2\xBF\xBD\xE1\xB9\xFB";  // 导出全部结果
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

}  // namespace

std::optional<std::wstring> askWhereToExport(HWND owner, const std::wstring& proposedName, const std::wstring& folder) {
  std::vector<wchar_t> path(kPathRoom, L'\0');
  proposedName.copy(path.data(), std::min(proposedName.size(), kPathRoom - 1));
  const std::wstring types = fileTypes();
  const std::wstring title = toWide(kTitle);
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
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  return std::wstring(path.data());
}

}  // namespace quorvane
