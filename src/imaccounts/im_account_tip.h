#pragma once
// The IM client's notification-area icons carry a tip of the form
// "千牛" + 3 separator bytes + account name, in local (GBK) text.
#include <optional>
#include <string_view>

#include "text/text.h"

namespace quorvane {

// "千牛" in GBK.
inline constexpr std::string_view kImClientTipPrefix = "\xC7\xA7\xC5\xA3";
// The prefix and the separator that follows it.
inline constexpr std::size_t kImClientTipHeadBytes = 7;

// The account named by an IM client icon's tip; nothing for every other tip,
// and for a client tip that names no account (too short to hold one).
std::optional<LocalText> imAccountFromTip(std::string_view tip);

}  // namespace quorvane
