#pragma once
// The IM client's dialogs that contacting answers on the user's behalf.
#include "text/text.h"

namespace quorvane::im_client {

constexpr const char* kDialogClass = "#32770";

// "请选择已登录的阿里旺旺帐号"
inline const LocalText kAccountChooserTitle =
    "\xC7\xEB\xD1\xA1\xD4\xF1\xD2\xD1\xB5\xC7\xC2\xBC\xB5\xC4\xB0\xA2\xC0\xEF\xCD\xFA\xCD\xFA\xD5\xCA\xBA\xC5";
constexpr int kAccountListId = 201;
constexpr int kOkButtonId = 1;
// Every chooser item reads an account name followed by "[淘宝网]".
inline const LocalText kAccountItemSuffix = "[\xCC\xD4\xB1\xA6\xCD\xF8]";

inline const LocalText kAddFriendTitle = "\xCC\xED\xBC\xD3\xBA\xC3\xD3\xD1";     // "添加好友"
inline const LocalText kClientDialogTitle = "\xB0\xA2\xC0\xEF\xCD\xFA\xCD\xFA";  // "阿里旺旺"

}  // namespace quorvane::im_client
