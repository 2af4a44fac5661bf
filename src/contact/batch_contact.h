#pragma once
// Contacting a pasted list of ids: a chat for every listed id that is online.
// Neither the grid nor the history is touched.
#include <functional>
#include <string_view>
#include <vector>

#include "contact/chat_url.h"
#include "contact/paced_round.h"
#include "text/text.h"
#include "wait/wait.h"

namespace quorvane {

// The presence status of one id in its batch form (every byte of the id
// escaped in the query): "1" online, "0" offline, anything else unknown.
// It waits for its answer through the round's wait.
using PresenceCheck = std::function<LocalText(const LocalText& id)>;

// The pieces between "\r\n" breaks, empty pieces left out, spaces kept.
std::vector<LocalText> listedIds(std::string_view text);

// Counts the launch, if any, into `launches`. Once `wait` was cancelled
// (the window was closed or the program left during the presence check)
// nothing is launched.
void contactIdIfOnline(const LocalText& id, const PresenceCheck& presence, const ChatLauncher& launch,
                       const Wait& wait, ChatLaunches& launches);

// The batch window's round, one listed id a step: an id whose presence is
// "1" gets a chat.
class ListedIdsRound final : public ContactSteps {
 public:
  // `launched` hears of every id whose chat went out, right after the launch.
  ListedIdsRound(std::string_view text, PresenceCheck presence, ChatLauncher launch, const Wait& wait,
                 std::function<void(const LocalText& id)> launched = {});

  std::optional<Step> contactNext() override;
  int tried() const override { return static_cast<int>(next_); }
  int left() const override { return static_cast<int>(ids_.size() - next_); }
  void savePoint() override {}  // the batch round keeps no history
  const ChatLaunches& launches() const { return launches_; }

 private:
  std::vector<LocalText> ids_;
  std::size_t next_ = 0;
  PresenceCheck presence_;
  ChatLauncher launch_;
  const Wait& wait_;
  std::function<void(const LocalText& id)> launched_;
  ChatLaunches launches_;
};

// Every listed id in turn, with no pause and no limit, until `wait` is
// cancelled. How the launches went.
ChatLaunches contactListedIds(std::string_view text, const PresenceCheck& presence, const ChatLauncher& launch,
                              Wait& wait);

}  // namespace quorvane
