#pragma once
// The IM client's chat-launch link for one seller id.
#include <functional>

#include "platform/shell.h"
#include "text/text.h"

namespace quorvane {

// "aliim:sendmsg?&touid=cntaobao" + the id's UTF-8 bytes percent-encoded
// (letters, digits and , - . / kept) + the fixed site and portal keys.
LocalText buildChatUrl(const LocalText& id);

// Hands a chat-launch link to whatever handles the scheme; never waits for
// the chat. Says whether the link was handed on.
using ChatLauncher = std::function<platform::ShellOpen(const LocalText& url)>;

// How the launches of one contact round went.
struct ChatLaunches {
  int opened = 0;
  int notOpened = 0;
  bool noHandler = false;  // a launch failed because nothing handles "aliim:"

  // Counts one launch; true when it opened.
  bool count(platform::ShellOpen launch);
};

}  // namespace quorvane
