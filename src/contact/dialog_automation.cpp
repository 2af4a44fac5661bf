#include "contact/dialog_automation.h"

#include "contact/im_client_dialogs.h"

namespace quorvane {
namespace {

using platform::kNoWindow;
using platform::WindowId;

// A chooser lists the logged-in accounts; a list box claiming more items than
// this is not one, and walking it across processes would stall the window.
constexpr int kMostChooserItems = 4096;

}  // namespace

void answerAccountChooser(platform::ImClientWindows& windows, const LocalText& account) {
  const WindowId chooser = windows.findTopLevel(im_client::kDialogClass, im_client::kAccountChooserTitle);
  if (chooser == kNoWindow) return;
  const WindowId list = windows.dialogItem(chooser, im_client::kAccountListId);
  const int count = windows.listBoxCount(list);
  if (count > kMostChooserItems) return;
  const LocalText wanted = account + im_client::kAccountItemSuffix;
  // Every item is compared, even after a match: the client may list an
  // account twice, and clicking OK again is harmless.
  for (int index = 0; index < count; ++index) {
    if (windows.listBoxItemText(list, index) != wanted) continue;
    windows.selectListBoxItem(list, index);
    windows.postLeftClick(windows.dialogItem(chooser, im_client::kOkButtonId));
  }
}

void closeAddFriendDialogs(platform::ImClientWindows& windows, bool autoCloseTicked) {
  if (!autoCloseTicked) return;
  const WindowId addFriend = windows.findTopLevel(im_client::kDialogClass, im_client::kAddFriendTitle);
  const WindowId clientDialog = windows.findTopLevel(im_client::kDialogClass, im_client::kClientDialogTitle);
  if (addFriend != kNoWindow) windows.sendClose(addFriend);
  if (clientDialog != kNoWindow) windows.sendClose(clientDialog);
}

}  // namespace quorvane
