#include "search/row_status.h"

#include "contact/contact_history.h"
#include "search/presence_lookup.h"

namespace quorvane {
namespace {

constexpr const char* kOnlineText = "\xCD\xFA\xCD\xFA\xD4\xDA\xCF\xDF";   // 旺旺在线
constexpr const char* kOfflineText = "\xCD\xFA\xCD\xFA\xC0\xEB\xCF\xDF";  // 旺旺离线
constexpr const char* kContactedText = "\xD2\xD1\xC1\xAA\xCF\xB5";        // 已联系
constexpr const char* kNotContactedText = "\xCE\xB4\xC1\xAA\xCF\xB5";     // 未联系

}  // namespace

std::optional<RowStatus> rowStatus(const LocalText& presence, const LocalText& history,
                                   const LocalText& sellerId) {
  bool online = presence == kOnline;
  if (!online && presence != kOffline) return std::nullopt;
  bool contacted = isContacted(history, sellerId);
  RowStatus status;
  status.presence = online ? kOnlineText : kOfflineText;
  status.contact = contacted ? kContactedText : kNotContactedText;
  if (contacted)
    status.background = kContactedGrey;
  else if (online)
    status.textColour = kOnlineGreen;
  return status;
}

void applyRowStatus(ResultTable& table, int row, const RowStatus& status) {
  table.setText(row, 7, status.presence);
  table.setText(row, 8, status.contact);
  const CellRange cells{row, 1, row, 8};
  if (status.background) table.setBackground(cells, *status.background);
  if (status.textColour) table.setTextColour(cells, *status.textColour);
}

}  // namespace quorvane
