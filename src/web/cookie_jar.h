#pragma once
// The cookie jar a caller keeps between requests: one text of name=value
// pieces separated by "; ".
#include <string_view>
#include <vector>

#include "text/text.h"

namespace quorvane {

// Folds the cookies a response set into the jar: those first, in the
// response's order, then every older cookie the response did not set. A
// piece whose value is "deleted" leaves the jar. Spaces are removed from both
// texts, which are written back; the new jar is also returned. Empty pieces
// (from ";;" or a trailing ";") are dropped.
LocalText mergeCookies(LocalText& cookies, LocalText& received);

// The text before the first "=" (all of it without one), trimmed of spaces.
LocalText cookieName(std::string_view piece);

bool hasCookieNamed(const std::vector<LocalText>& pieces, std::string_view name);

}  // namespace quorvane
