#include "app/settings.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "text/encodings.h"

namespace quorvane {
namespace {

constexpr char16_t kServices[] = u"Services";
constexpr char16_t kSearch[] = u"Search";
constexpr char16_t kContact[] = u"Contact";
constexpr char16_t kWindow[] = u"Window";
constexpr char16_t kGrid[] = u"Grid";
constexpr char16_t kExport[] = u"Export";

// Coordinates of any real desktop, with room for a wall of monitors.
constexpr std::int64_t kFarthestCoordinate = 100000;
constexpr int kLowestDpi = 48, kHighestDpi = 960;
constexpr size_t kLongestPath = 32767;

class Reader {
 public:
  explicit Reader(std::span<const IniDocument* const> documents) : documents_(documents) {}
  std::optional<std::u16string> operator()(std::u16string_view section, std::u16string_view key) const {
    for (const IniDocument* document : documents_)
      if (std::optional<std::u16string> value = document->value(section, key)) return value;
    return std::nullopt;
  }

 private:
  std::span<const IniDocument* const> documents_;
};

bool hasControlCharacters(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(), [](char16_t c) { return c < u' ' || c == 0x7F; });
}

std::optional<std::int64_t> integerOf(std::u16string_view text) {
  const bool negative = !text.empty() && text.front() == u'-';
  if (negative || (!text.empty() && text.front() == u'+')) text.remove_prefix(1);
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::int64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return negative ? -value : value;
}

std::optional<int> integerIn(const std::optional<std::u16string>& text, std::int64_t lowest, std::int64_t highest) {
  if (!text) return std::nullopt;
  const std::optional<std::int64_t> value = integerOf(*text);
  if (!value || *value < lowest || *value > highest) return std::nullopt;
  return static_cast<int>(*value);
}

std::optional<bool> flagOf(const std::optional<std::u16string>& text) {
  if (text == u"1") return true;
  if (text == u"0") return false;
  return std::nullopt;
}

// Local text of a value of sensible length without control characters.
std::optional<LocalText> textOf(const std::optional<std::u16string>& text) {
  if (!text || text->size() > kLongestSettingText || hasControlCharacters(*text)) return std::nullopt;
  return utf16ToLocal(*text);
}

std::u16string utf16Of(const LocalText& text) {
  Utf16Text units = codePageToUtf16(text, kLocalCodePage);
  if (!units.empty() && units.back() == u'\0') units.pop_back();
  return units;
}

std::u16string decimal(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string_view withoutBlanks(std::u16string_view piece) {
  while (!piece.empty() && (piece.front() == u' ' || piece.front() == u'\t')) piece.remove_prefix(1);
  while (!piece.empty() && (piece.back() == u' ' || piece.back() == u'\t')) piece.remove_suffix(1);
  return piece;
}

// The pieces between separators, blanks around them removed, empty ones left out.
std::vector<std::u16string_view> listOf(std::u16string_view text, std::u16string_view separators) {
  std::vector<std::u16string_view> pieces;
  while (!text.empty()) {
    const size_t end = text.find_first_of(separators);
    const std::u16string_view piece = withoutBlanks(text.substr(0, end));
    if (!piece.empty()) pieces.push_back(piece);
    if (end == std::u16string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return pieces;
}

std::optional<LocalText> hostOf(const std::optional<std::u16string>& text) {
  if (!text || text->size() > kLongestSettingText) return std::nullopt;
  if (std::any_of(text->begin(), text->end(), [](char16_t c) { return c >= 0x80; })) return std::nullopt;
  const LocalText host(text->begin(), text->end());
  return isServiceHost(host) ? std::optional<LocalText>(host) : std::nullopt;
}

// Provinces are named as on their check boxes; a hand-written list may
// separate them the Chinese way too. Names that are no province are passed by.
std::array<bool, kProvinceCount> provincesOf(const std::optional<std::u16string>& text) {
  std::array<bool, kProvinceCount> ticked{};
  if (!text || text->size() > kLongestSettingText) return ticked;
  for (std::u16string_view piece : listOf(*text, u",\uFF0C\u3001 ")) {
    const LocalText name = utf16ToLocal(piece);
    const auto found = std::find(ProvinceTable.begin(), ProvinceTable.end(), name);
    if (found != ProvinceTable.end()) ticked[static_cast<size_t>(found - ProvinceTable.begin())] = true;
  }
  return ticked;
}

// The n-th width is the n-th column's, an empty one included.
std::array<int, kColumnCount> columnWidthsOf(const std::optional<std::u16string>& text) {
  std::array<int, kColumnCount> widths = kDefaultColumnWidths;
  if (!text || text->size() > kLongestSettingText) return widths;
  std::u16string_view rest = *text;
  for (size_t column = 0; column < widths.size() && !rest.empty(); ++column) {
    const size_t comma = rest.find(u',');
    const std::u16string piece(withoutBlanks(rest.substr(0, comma)));
    if (auto width = integerIn(piece, kNarrowestColumnWidth, kWidestColumnWidth)) widths[column] = *width;
    rest = comma == std::u16string_view::npos ? std::u16string_view() : rest.substr(comma + 1);
  }
  return widths;
}

std::optional<SavedPlacement> placementOf(const Reader& read) {
  const auto left = integerIn(read(kWindow, u"Left"), -kFarthestCoordinate, kFarthestCoordinate);
  const auto top = integerIn(read(kWindow, u"Top"), -kFarthestCoordinate, kFarthestCoordinate);
  const auto right = integerIn(read(kWindow, u"Right"), -kFarthestCoordinate, kFarthestCoordinate);
  const auto bottom = integerIn(read(kWindow, u"Bottom"), -kFarthestCoordinate, kFarthestCoordinate);
  if (!left || !top || !right || !bottom || *right <= *left || *bottom <= *top) return std::nullopt;
  SavedPlacement placement{*left, *top, *right, *bottom};
  placement.maximized = flagOf(read(kWindow, u"Maximized")).value_or(false);
  placement.dpi = integerIn(read(kWindow, u"Dpi"), kLowestDpi, kHighestDpi).value_or(96);
  return placement;
}

// A folder the Save dialog can open: a drive's ("C:\...") or a share's ("\\server\...").
std::u16string folderOf(const std::optional<std::u16string>& text) {
  if (!text || text->size() > kLongestPath || hasControlCharacters(*text)) return u"";
  const std::u16string& path = *text;
  const bool drive = path.size() >= 3 && ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z')) &&
                     path[1] == u':' && path[2] == u'\\';
  const bool share = path.size() >= 3 && path[0] == u'\\' && path[1] == u'\\' && path[2] != u'\\';
  return drive || share ? path : u"";
}

std::u16string recentKey(size_t index) { return u"Recent" + decimal(static_cast<std::int64_t>(index + 1)); }

std::vector<LocalText> recentKeywordsOf(const Reader& read) {
  std::vector<LocalText> recent;
  for (size_t i = 0; i < kRecentKeywordCount; ++i) {
    const std::optional<LocalText> keyword = textOf(read(kSearch, recentKey(i)));
    if (keyword && !keyword->empty() && std::find(recent.begin(), recent.end(), *keyword) == recent.end())
      recent.push_back(*keyword);
  }
  return recent;
}

ContactPace paceOf(const Reader& read) {
  ContactPace pace;
  pace.pauseMinSeconds = integerIn(read(kContact, u"PauseMin"), 0, kLongestPauseSeconds).value_or(0);
  pace.pauseMaxSeconds = integerIn(read(kContact, u"PauseMax"), 0, kLongestPauseSeconds).value_or(pace.pauseMinSeconds);
  pace.roundLimit = integerIn(read(kContact, u"RoundLimit"), 0, kHighestContactLimit).value_or(0);
  pace.dailyLimit = integerIn(read(kContact, u"DailyLimit"), 0, kHighestContactLimit).value_or(0);
  return sensiblePace(pace);
}

}  // namespace

std::vector<LocalText> withRecentKeyword(std::vector<LocalText> recent, const LocalText& searched) {
  std::erase(recent, searched);
  recent.insert(recent.begin(), searched);
  if (recent.size() > kRecentKeywordCount) recent.resize(kRecentKeywordCount);
  return recent;
}

Settings readSettings(std::span<const IniDocument* const> documents) {
  const Reader read(documents);
  Settings settings;
  settings.hosts.search = hostOf(read(kServices, u"SearchHost")).value_or(kDefaultSearchHost);
  settings.hosts.presence = hostOf(read(kServices, u"PresenceHost")).value_or(kDefaultPresenceHost);
  settings.keyword = textOf(read(kSearch, u"Keyword")).value_or("");
  settings.creditLevel = integerIn(read(kSearch, u"CreditLevel"), 0, 5).value_or(0);
  settings.provinces = provincesOf(read(kSearch, u"Provinces"));
  settings.filter = flagOf(read(kSearch, u"Filter")).value_or(true);
  settings.recentKeywords = recentKeywordsOf(read);
  settings.account = textOf(read(kContact, u"Account")).value_or("");
  settings.pace = paceOf(read);
  settings.placement = placementOf(read);
  settings.columnWidths = columnWidthsOf(read(kGrid, u"ColumnWidths"));
  settings.worthContactingOnly = flagOf(read(kGrid, u"WorthContactingOnly")).value_or(false);
  settings.exportFolder = folderOf(read(kExport, u"Folder"));
  return settings;
}

void writeSettings(const Settings& settings, IniDocument& document) {
  document.set(kSearch, u"Keyword", utf16Of(settings.keyword));
  document.set(kSearch, u"CreditLevel", decimal(settings.creditLevel));
  std::u16string provinces;
  for (size_t i = 0; i < settings.provinces.size(); ++i) {
    if (!settings.provinces[i]) continue;
    if (!provinces.empty()) provinces += u',';
    provinces += utf16Of(LocalText(ProvinceTable[i]));
  }
  document.set(kSearch, u"Provinces", provinces);
  document.set(kSearch, u"Filter", settings.filter ? u"1" : u"0");
  for (size_t i = 0; i < kRecentKeywordCount; ++i)
    document.set(kSearch, recentKey(i), i < settings.recentKeywords.size() ? utf16Of(settings.recentKeywords[i]) : u"");
  document.set(kContact, u"Account", utf16Of(settings.account));
  const ContactPace pace = sensiblePace(settings.pace);
  document.set(kContact, u"PauseMin", decimal(pace.pauseMinSeconds));
  document.set(kContact, u"PauseMax", decimal(pace.pauseMaxSeconds));
  document.set(kContact, u"RoundLimit", decimal(pace.roundLimit));
  document.set(kContact, u"DailyLimit", decimal(pace.dailyLimit));
  if (const std::optional<SavedPlacement>& placement = settings.placement) {
    document.set(kWindow, u"Left", decimal(placement->left));
    document.set(kWindow, u"Top", decimal(placement->top));
    document.set(kWindow, u"Right", decimal(placement->right));
    document.set(kWindow, u"Bottom", decimal(placement->bottom));
    document.set(kWindow, u"Maximized", placement->maximized ? u"1" : u"0");
    document.set(kWindow, u"Dpi", decimal(placement->dpi));
  }
  std::u16string widths;
  for (int width : settings.columnWidths) {
    if (!widths.empty()) widths += u',';
    widths += decimal(width);
  }
  document.set(kGrid, u"ColumnWidths", widths);
  document.set(kGrid, u"WorthContactingOnly", settings.worthContactingOnly ? u"1" : u"0");
  document.set(kExport, u"Folder", settings.exportFolder);
}

}  // namespace quorvane
