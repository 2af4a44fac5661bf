#include "imaccounts/im_account_tip.h"

namespace quorvane {

std::optional<LocalText> imAccountFromTip(std::string_view tip) {
  if (!tip.starts_with(kImClientTipPrefix)) return std::nullopt;
  // A client icon whose tip ends at (or inside) the separator belongs to no
  // logged-in account yet; an empty item would only ever match a chooser
  // entry with no account name, so it is left out.
  if (tip.size() <= kImClientTipHeadBytes) return std::nullopt;
  return LocalText(tip.substr(kImClientTipHeadBytes));
}

}  // namespace quorvane
