#include "web/header_value.h"

#include "text/text_pieces.h"

namespace quorvane {

LocalText headerValue(std::string_view line) {
  std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return {};
  return trimSpaces(line.substr(colon + 1));
}

}  // namespace quorvane
