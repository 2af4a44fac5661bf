#pragma once
// Timer routines that answer the IM client's dialogs. Both are polls: they
// keep no state between ticks and do nothing when no dialog is showing.
#include "platform/im_client_windows.h"
#include "text/text.h"

namespace quorvane {

// Picks the item reading `account` + "[淘宝网]" in the account chooser and
// clicks its OK button. `account` is the selection of 联系旺旺列表框.
void answerAccountChooser(platform::ImClientWindows& windows, const LocalText& account);

// Closes the first add-friend dialog and the first client dialog showing,
// one of each per tick, when the batch window's 选择框1 is ticked.
void closeAddFriendDialogs(platform::ImClientWindows& windows, bool autoCloseTicked);

}  // namespace quorvane
