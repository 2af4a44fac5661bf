#include "web/cookie_jar.h"

#include <algorithm>

#include "text/text_pieces.h"

namespace quorvane {
namespace {

LocalText withoutSpaces(std::string_view text) {
  LocalText result;
  for (char c : text) {
    if (c != ' ') result += c;
  }
  return result;
}

std::vector<LocalText> cookiePieces(std::string_view text) {
  std::vector<LocalText> pieces = splitText(text, ";");
  std::erase_if(pieces, [](const LocalText& piece) { return piece.empty(); });
  return pieces;
}

bool isDeletion(std::string_view piece) { return piece.ends_with("=deleted"); }

}  // namespace

LocalText cookieName(std::string_view piece) {
  return trimSpaces(piece.substr(0, piece.find('=')));
}

bool hasCookieNamed(const std::vector<LocalText>& pieces, std::string_view name) {
  return std::any_of(pieces.begin(), pieces.end(),
                     [&](const LocalText& piece) { return cookieName(piece) == name; });
}

LocalText mergeCookies(LocalText& cookies, LocalText& received) {
  cookies = withoutSpaces(cookies);
  received = withoutSpaces(received);
  std::vector<LocalText> merged = cookiePieces(received);
  for (const LocalText& old : cookiePieces(cookies)) {
    if (!hasCookieNamed(merged, cookieName(old))) merged.push_back(old);
  }
  LocalText jar;
  for (const LocalText& piece : merged) {
    if (isDeletion(piece)) continue;
    if (!jar.empty()) jar += "; ";
    jar += piece;
  }
  cookies = jar;
  return jar;
}

}  // namespace quorvane
