#pragma once
// The batch-id window "批量旺旺ID": a pasted list of seller ids, one a line,
// each contacted when it is online; while it is open its two timers answer
// the IM client's account chooser and close its add-friend dialogs. The main
// window owns it and closes it when it goes; one window at most: opening it
// again brings the open one forward.
#include <windows.h>

#include <functional>
#include <random>

#include "app/dpi_scale.h"
#include "app/layout_passes.h"
#include "app/window/program_window.h"
#include "app/window/window_waits.h"
#include "contact/batch_contact.h"
#include "contact/chat_url.h"
#include "contact/paced_round.h"
#include "text/text.h"
#include "wait/wait.h"

namespace quorvane {

struct BatchIdWindowServices {
  std::function<LocalText()> selectedAccount;  // the text of 联系旺旺列表框
  // The batch form of the presence lookup, its answer waited for through `wait`.
  std::function<LocalText(const LocalText& id, Wait& wait)> presence;
  ChatLauncher launch;
  std::function<void(const LocalText& id)> launched;  // a chat went out (the contact log)
  std::function<ContactPace()> pace;
  // At a round's start: how many chats the chosen account had today, asked
  // again before each chat.
  std::function<std::function<int()>()> chatsToday;
  std::mt19937* random = nullptr;  // the pauses' lengths
  std::function<void(const LocalText& text)> tell;  // "正在联系 i/n，下一个 t 秒后" during a pause
  // After a round the window was not closed in: how its launches went and
  // why it ended.
  std::function<void(const ChatLaunches& launches, RoundEnd end)> roundEnded;
};

class BatchIdWindow final : private ProgramWindow {
 public:
  enum class Control { 编辑框1, 按钮1, 清除, 选择框1 };

  static constexpr wchar_t kWindowClass[] = L"QuorvaneBatchIdWindow";
  static void registerWindowClass(HINSTANCE instance);

  // A round waits through `waits`, the waits of the windows' thread.
  BatchIdWindow(WindowWaits& waits, BatchIdWindowServices services);
  ~BatchIdWindow() override;  // closes the window

  // Creates the window, or brings the open one to the front.
  void open(HINSTANCE instance);
  // Closes the window, if it is open; a round it runs is cancelled.
  void close();
  // The open window; null when none is.
  HWND handle() const { return window_; }
  // While any wait of the thread runs, "联系" would be refused: it is disabled.
  void setWaiting(bool waiting);
  // While a paced round runs, "联系" reads "停止" and calls `stop`; an empty
  // function gives the button back.
  void offerRoundStop(std::function<void()> stop);

 private:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  void onCreated();
  void createControls();
  void fitToWorkArea();
  // The layout's figures at the window's DPI, relative to the client area
  // the layout's outer size leaves inside the system's frame; a client area
  // of another size gives the list of ids the difference, and the row below
  // it keeps its distance to the bottom. The list spans the width.
  void layOut() override;
  void renewForScale() override;  // the font
  void onMinMaxInfo(MINMAXINFO& limits) const;
  void onCloseRequested();
  void onDestroyed();
  void onCommand(int id, int code);
  void onContactClicked();
  void onClearClicked();
  void onChooserTimer();
  void onAddFriendTimer();

  HWND control(Control c) const { return controls_[static_cast<int>(c)]; }

  WindowWaits& waits_;
  BatchIdWindowServices services_;
  // While a paced round runs, "联系" reads "停止" and calls this.
  std::function<void()> roundStop_;
  HWND controls_[4] = {};
  HFONT font_ = nullptr;
  LayoutPasses layoutPasses_;
};

}  // namespace quorvane
