#include "contact/chat_url.h"

#include "text/url_encoding.h"

namespace quorvane {

LocalText buildChatUrl(const LocalText& id) {
  return "aliim:sendmsg?&touid=cntaobao" + urlEncode(id, true) + "&siteid=cntaobao&status=2&portalId=1&gid=1";
}

bool ChatLaunches::count(platform::ShellOpen launch) {
  if (launch == platform::ShellOpen::Opened) {
    ++opened;
    return true;
  }
  ++notOpened;
  if (launch == platform::ShellOpen::NoHandler) noHandler = true;
  return false;
}

}  // namespace quorvane
