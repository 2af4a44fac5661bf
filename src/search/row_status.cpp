#include "search/row_status.h"

#include "contact/contact_history.h"
#include "search/presence_lookup.h"

namespace quorvane {

std::optional<RowStatus> rowStatus(const LocalText& presence, const LocalText& history,
                                   const LocalText& sellerId) {
  const bool online = presence == kOnline;
  if (!online && presence != kOffline) return std::nullopt;
  const bool contacted = isContacted(history, sellerId);
  RowStatus status;
  status.presence = online ? kOnlineText : kOfflineText;
  status.contactState = contacted ? kContactedText : kNotContactedText;
  if (contacted)
    status.look = RowLook::Contacted;
  else if (online)
    status.look = RowLook::OnlineNotContacted;
  return status;
}

}  // namespace quorvane
