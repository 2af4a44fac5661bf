#include "contact/batch_contact.h"

namespace quorvane {

std::vector<LocalText> listedIds(std::string_view text) {
  constexpr std::string_view kBreak = "\r\n";
  std::vector<LocalText> ids;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(kBreak, start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) ids.emplace_back(text.substr(start, end - start));
    start = end + kBreak.size();
  }
  return ids;
}

void contactIdIfOnline(const LocalText& id, const PresenceCheck& presence, const ChatLauncher& launch,
                       const Wait& wait, ChatLaunches& launches) {
  if (presence(id) == "1" && !wait.cancelled()) launches.count(launch(buildChatUrl(id)));
}

ChatLaunches contactListedIds(std::string_view text, const PresenceCheck& presence, const ChatLauncher& launch,
                              const Wait& wait) {
  ChatLaunches launches;
  for (const LocalText& id : listedIds(text)) {
    if (wait.cancelled()) break;
    contactIdIfOnline(id, presence, launch, wait, launches);
  }
  return launches;
}

}  // namespace quorvane
