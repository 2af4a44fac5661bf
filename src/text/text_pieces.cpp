#include "text/text_pieces.h"

namespace quorvane {

std::vector<LocalText> splitText(std::string_view text, std::string_view separator) {
  std::vector<LocalText> pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) return {LocalText(text)};
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) break;
    pieces.emplace_back(text.substr(start, end - start));
    start = end + separator.size();
  }
  pieces.emplace_back(text.substr(start));
  return pieces;
}

LocalText trimSpaces(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  std::size_t last = text.find_last_not_of(' ');
  return LocalText(text.substr(first, last - first + 1));
}

}  // namespace quorvane
