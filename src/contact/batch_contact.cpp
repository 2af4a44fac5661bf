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

ListedIdsRound::ListedIdsRound(std::string_view text, PresenceCheck presence, ChatLauncher launch, const Wait& wait,
                               std::function<void(const LocalText& id)> launched)
    : ids_(listedIds(text)),
      presence_(std::move(presence)),
      launch_(std::move(launch)),
      wait_(wait),
      launched_(std::move(launched)) {}

std::optional<ContactSteps::Step> ListedIdsRound::contactNext() {
  if (next_ == ids_.size()) return std::nullopt;
  const LocalText& id = ids_[next_++];
  const int opened = launches_.opened;
  contactIdIfOnline(id, presence_, launch_, wait_, launches_);
  if (launches_.opened == opened) return Step::Passed;
  if (launched_) launched_(id);
  return Step::Launched;
}

ChatLaunches contactListedIds(std::string_view text, const PresenceCheck& presence, const ChatLauncher& launch,
                              Wait& wait) {
  ListedIdsRound round(text, presence, launch, wait);
  std::mt19937 unused;
  runContactRound(round, ContactPace{}, wait, {}, unused, {});
  return round.launches();
}

}  // namespace quorvane
