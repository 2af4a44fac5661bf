#include "contact/shop_page.h"

#include "text/text_between.h"
#include "text/url_encoding.h"

namespace quorvane {
namespace {

bool belongsInUrl(unsigned char byte) {
  constexpr std::string_view kUnsafe = "\"<>\\^`{|}";
  return byte > 0x20 && byte < 0x7F && kUnsafe.find(static_cast<char>(byte)) == std::string_view::npos;
}

LocalText escapeForUrl(std::string_view address) {
  constexpr char kHex[] = "0123456789ABCDEF";
  LocalText escaped;
  for (char c : address) {
    const auto byte = static_cast<unsigned char>(c);
    if (belongsInUrl(byte)) {
      escaped += c;
    } else {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0xF];
    }
  }
  return escaped;
}

}  // namespace

LocalText shopLookupPath(const LocalText& id) { return "/search?app=shopsearch&q=" + urlEncode(id, false); }

std::optional<LocalText> shopPageAddress(std::string_view lookupPage) {
  const LocalText address = textBetween(lookupPage, "shopUrl\\\":\\\"", "\\\",");
  if (address.empty()) return std::nullopt;
  return "https:" + escapeForUrl(address);
}

void openShopPage(const LocalText& id, const LocalText& shopSearchOrigin, const PageGet& get,
                  const BrowserOpener& open) {
  const ByteArray page = get(shopSearchOrigin + shopLookupPath(id));
  if (const auto address = shopPageAddress(page)) open(*address);
}

}  // namespace quorvane
