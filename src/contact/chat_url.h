#pragma once
// The IM client's chat-launch link for one seller id.
#include <functional>

#include "text/text.h"

namespace quorvane {

// "aliim:sendmsg?&touid=cntaobao" + the id's UTF-8 bytes percent-encoded
// (letters, digits and , - . / kept) + the fixed site and portal keys.
LocalText buildChatUrl(const LocalText& id);

// Hands a chat-launch link to whatever handles the scheme; never waits.
using ChatLauncher = std::function<void(const LocalText& url)>;

}  // namespace quorvane
