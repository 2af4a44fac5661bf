#pragma once
// What the program remembers between runs, and how each value is read from
// and written into its settings file, Quorvane.ini:
//
//   [Services]  SearchHost, PresenceHost    host or host:port; only read
//   [Search]    Keyword, CreditLevel (0-5), Provinces (names, "," between), Filter (1/0),
//               Recent1 to Recent10 (the keyword box's last texts searched, newest first)
//   [Contact]   Account, PauseMin, PauseMax (seconds), RoundLimit, DailyLimit (0: none)
//   [Window]    Left, Top, Right, Bottom, Maximized (1/0), Dpi
//   [Grid]      ColumnWidths (nine widths at 96 DPI, "," between), WorthContactingOnly (1/0)
//   [Export]    Folder
//
// Every value is checked on its own: one that is missing, malformed, out of
// range or too long gives its default, and the others are taken as they are.
// Nothing read can leave a control where the user could not reach it.
#include <array>
#include <optional>
#include <span>
#include <string>

#include <vector>

#include "app/grid_columns.h"
#include "app/ini_document.h"
#include "contact/contact_pace.h"
#include "search/province_table.h"
#include "search/service_hosts.h"
#include "text/text.h"

namespace quorvane {

// The window's normal (not maximised) rectangle on the screen, as
// GetWindowPlacement gives it, at the DPI it had then.
struct SavedPlacement {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool maximized = false;
  int dpi = 96;

  bool operator==(const SavedPlacement&) const = default;
};

struct Settings {
  ServiceHosts hosts;  // the file's, else the defaults
  LocalText keyword;
  int creditLevel = 0;  // the item of 组合框1, "0心" to "0-5心"
  std::array<bool, kProvinceCount> provinces{};  // ticked, in ProvinceTable's order
  bool filter = true;  // 选中过滤
  std::vector<LocalText> recentKeywords;  // newest first, at most kRecentKeywordCount
  LocalText account;   // the item of 联系旺旺列表框 last chosen
  ContactPace pace;
  std::optional<SavedPlacement> placement;
  std::array<int, kColumnCount> columnWidths = kDefaultColumnWidths;  // at 96 DPI
  bool worthContactingOnly = false;  // the grid's view "只显示在线且未联系"
  std::u16string exportFolder;  // where the last export went; "" for none

  bool operator==(const Settings&) const = default;
};

// Keywords and accounts longer than this are no one's; a remembered one
// that long is taken for damage.
inline constexpr size_t kLongestSettingText = 256;
inline constexpr size_t kRecentKeywordCount = 10;

// `searched` put first in the recent keywords, once, the oldest let go.
std::vector<LocalText> withRecentKeyword(std::vector<LocalText> recent, const LocalText& searched);

// Each key from the first document that has it.
Settings readSettings(std::span<const IniDocument* const> documents);

// Every key but [Services], which belongs to whoever set up the program.
void writeSettings(const Settings& settings, IniDocument& document);

}  // namespace quorvane
