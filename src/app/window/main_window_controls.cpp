// What the other subsystems do with the main window's controls. Texts are
// local (GBK) text on this side and wide text on the controls' side.
#include "app/window/main_window_impl.h"

#include "app/window/window_text.h"
#include "app/window/window_messages.h"

namespace quorvane {

LocalText MainWindowImpl::text(Control c) const { return windowText(control(c)); }

void MainWindowImpl::setText(Control c, const LocalText& text) { setWindowText(control(c), text); }

bool MainWindowImpl::ticked(Control c) const {
  return SendMessageW(control(c), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindowImpl::setTicked(Control c, bool ticked) {
  SendMessageW(control(c), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int MainWindowImpl::selectedIndex(Control c) const {
  LRESULT index = SendMessageW(control(c), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void MainWindowImpl::setSelectedIndex(Control c, int index) {
  SendMessageW(control(c), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void MainWindowImpl::clearItems(Control c) { SendMessageW(control(c), CB_RESETCONTENT, 0, 0); }

void MainWindowImpl::addItem(Control c, const LocalText& item) {
  std::wstring wide = toWide(item);
  SendMessageW(control(c), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

bool MainWindowImpl::enabled(Control c) const { return IsWindowEnabled(control(c)) != FALSE; }

void MainWindowImpl::setEnabled(Control c, bool enabled) { EnableWindow(control(c), enabled); }

void MainWindowImpl::resetSelection() { selection_.reset(); }

void MainWindowImpl::slideRegionPanelOut() { panel_.slideOut(); }

void MainWindowImpl::setStatusText(const LocalText& text) { statusBar_.setText(StatusPart::Message, text); }

void MainWindowImpl::setTimerInterval(unsigned milliseconds) {
  timerInterval_ = milliseconds;
  if (milliseconds == 0)
    KillTimer(window_, kTimer1Id);
  else
    SetTimer(window_, kTimer1Id, milliseconds, nullptr);
}

void MainWindowImpl::runOnUiThread(std::function<void()> task) { uiTasks_.post(std::move(task)); }

}  // namespace quorvane
