#pragma once
// Contacting a pasted list of ids: a chat for every listed id that is online.
// Neither the grid nor the history is touched.
#include <functional>
#include <string_view>
#include <vector>

#include "contact/chat_url.h"
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

// Every listed id in turn, until `wait` is cancelled. How the launches went.
ChatLaunches contactListedIds(std::string_view text, const PresenceCheck& presence, const ChatLauncher& launch,
                              const Wait& wait);

}  // namespace quorvane
