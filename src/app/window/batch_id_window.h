#pragma once
// The batch-id window "批量旺旺ID": a pasted list of seller ids, one a line,
// each contacted when it is online; while it is open its two timers answer
// the IM client's account chooser and close its add-friend dialogs. One
// window at most: opening it again brings the open one forward.
#include <windows.h>

#include <functional>

#include "app/dpi_scale.h"
#include "app/layout_passes.h"
#include "app/window/program_icon.h"
#include "contact/batch_contact.h"
#include "contact/chat_url.h"
#include "text/text.h"

namespace quorvane {

struct BatchIdWindowServices {
  std::function<LocalText()> selectedAccount;  // the text of 联系旺旺列表框
  PresenceCheck presence;                      // the batch form of the presence lookup
  ChatLauncher launch;
  // After a round the window was not closed in: how its launches went.
  std::function<void(const ChatLaunches& launches)> roundEnded;
};

class BatchIdWindow {
 public:
  enum class Control { 编辑框1, 按钮1, 清除, 选择框1 };

  // Creates the window, or brings the open one to the front.
  static void open(HINSTANCE instance, BatchIdWindowServices services);
  // Closes the open window, if any; a round it is running ends first.
  static void close();
  // The open window; null when none is.
  static HWND openWindow();

 private:
  explicit BatchIdWindow(BatchIdWindowServices services) : services_(std::move(services)) {}
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void onCreated();
  void createControls();
  void fitToWorkArea();
  // The layout's figures at the window's DPI, relative to the client area
  // the layout's outer size leaves inside the system's frame; a client area
  // of another size gives the list of ids the difference, and the row below
  // it keeps its distance to the bottom. The list spans the width.
  void layOut();
  void onDpiChanged(UINT dpi, const RECT& suggested);
  void onMinMaxInfo(MINMAXINFO& limits) const;
  void onCloseRequested();
  void onDestroyed();
  void onCommand(int id, int code);
  void onContactClicked();
  void onClearClicked();
  void onChooserTimer();
  void onAddFriendTimer();

  HWND control(Control c) const { return controls_[static_cast<int>(c)]; }

  BatchIdWindowServices services_;
  HWND window_ = nullptr;
  HWND controls_[4] = {};
  DpiScale scale_;
  HFONT font_ = nullptr;
  WindowIcons icons_;
  LayoutPasses layoutPasses_;
  bool roundRunning_ = false;
  bool closeWhenRoundEnds_ = false;
};

}  // namespace quorvane
