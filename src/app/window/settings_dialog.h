#pragma once
// The 设置 dialog, reached from the notification-area menu and the grid's
// menu: the contact pace (the pause between chats, the limits per round and
// per account and day). Modal to its owner.
#include <windows.h>

#include <optional>

#include "contact/contact_pace.h"

namespace quorvane {

// The dialog's edit boxes, for whoever drives it (the tests).
enum SettingsDialogItem : WORD {
  kPauseMinBox = 101,
  kPauseMaxBox = 102,
  kRoundLimitBox = 103,
  kDailyLimitBox = 104,
};

// The pace the user confirmed with 确定, made sensible (bounds in order,
// within range); nothing when the dialog was cancelled.
std::optional<ContactPace> askContactPace(HWND owner, const ContactPace& current);

}  // namespace quorvane
