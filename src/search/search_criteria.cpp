#include "search/search_criteria.h"

#include <algorithm>
#include <string_view>

#include "search/province_table.h"
#include "text/gbk_characters.h"

namespace quorvane {

LocalText tickedProvinceList(const std::function<bool(int province)>& isTicked) {
  LocalText list;
  for (int i = 0; i < kProvinceCount; ++i)
    if (isTicked(i)) list.append(ProvinceTable[static_cast<size_t>(i)]).push_back(',');
  return list;
}

std::vector<LocalText> splitProvinceList(const LocalText& list) {
  std::vector<LocalText> provinces;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    if (comma == LocalText::npos) comma = list.size();
    if (comma > start) provinces.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
  return provinces;
}

namespace {

constexpr std::string_view kFullWidthSemicolon = "\xA3\xBB";  // ；
constexpr std::string_view kFullWidthSpace = "\xA1\xA1";      // the ideographic space

bool isSeparator(std::string_view character) {
  return character == "\r" || character == "\n" || character == kFullWidthSemicolon;
}

// Without the ASCII and ideographic spaces at either end, character by character.
LocalText trimmed(std::string_view piece) {
  std::vector<std::string_view> characters;
  for (size_t at = 0; at < piece.size();) {
    const size_t length = gbkCharacterLength(piece, at);
    characters.push_back(piece.substr(at, length));
    at += length;
  }
  const auto blank = [](std::string_view c) { return c == " " || c == "\t" || c == kFullWidthSpace; };
  const auto first = std::find_if_not(characters.begin(), characters.end(), blank);
  const auto last = std::find_if_not(characters.rbegin(), characters.rend(), blank).base();
  LocalText text;
  for (auto c = first; c < last; ++c) text.append(*c);
  return text;
}

}  // namespace

std::vector<LocalText> searchKeywords(const LocalText& text) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (size_t at = 0; at < text.size();) {
    const size_t length = gbkCharacterLength(text, at);
    if (isSeparator(std::string_view(text).substr(at, length))) {
      pieces.push_back(std::string_view(text).substr(start, at - start));
      start = at + length;
    }
    at += length;
  }
  if (pieces.empty()) return text.empty() ? std::vector<LocalText>{} : std::vector<LocalText>{text};
  pieces.push_back(std::string_view(text).substr(start));
  std::vector<LocalText> keywords;
  for (std::string_view piece : pieces) {
    LocalText keyword = trimmed(piece);
    if (!keyword.empty() && std::find(keywords.begin(), keywords.end(), keyword) == keywords.end())
      keywords.push_back(std::move(keyword));
  }
  return keywords;
}

bool isComplete(const SearchCriteria& criteria) {
  return !searchKeywords(criteria.keyword).empty() && !criteria.provinces.empty();
}

}  // namespace quorvane
