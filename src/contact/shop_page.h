#pragma once
// Opening a seller's shop in the browser: the shop-search service is asked
// which shop belongs to the id, and the address it names is opened.
#include <functional>
#include <optional>
#include <string_view>

#include "text/text.h"

namespace quorvane {

// "/search?app=shopsearch&q=" + every byte of the id's UTF-8 form escaped.
LocalText shopLookupPath(const LocalText& id);

// "https:" + the scheme-relative address between "shopUrl\":\"" and the
// next "\"," of the lookup page; nothing when the page names no address.
// Bytes that do not belong in a URL (controls, spaces, quotes, non-ASCII)
// are percent-escaped so the address reaches the browser as one argument.
std::optional<LocalText> shopPageAddress(std::string_view lookupPage);

using PageGet = std::function<ByteArray(const LocalText& url)>;
using BrowserOpener = std::function<void(const LocalText& url)>;

// `shopSearchOrigin` is the shop-search service's scheme and host
// ("https://host"); `get` is a plain GET that returns the body's bytes.
void openShopPage(const LocalText& id, const LocalText& shopSearchOrigin, const PageGet& get,
                  const BrowserOpener& open);

}  // namespace quorvane
