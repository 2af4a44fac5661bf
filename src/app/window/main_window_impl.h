#pragma once
// The main window itself: creates its controls from the layout, runs the
// creation sequence, and turns each window event into one named handler.
#include <windows.h>

#include <array>
#include <memory>

#include "app/dpi_scale.h"
#include "app/layout_passes.h"
#include "app/selection.h"
#include "app/settings.h"
#include "app/settings_file.h"
#include "app/window/account_reading.h"
#include "app/window/batch_id_window.h"
#include "app/window/grid_context_menu.h"
#include "app/window/main_window.h"
#include "app/window/main_window_actions.h"
#include "app/window/main_window_layout.h"
#include "app/window/program_icon.h"
#include "app/window/program_window.h"
#include "app/window/region_panel.h"
#include "app/window/result_grid.h"
#include "app/window/search_progress_view.h"
#include "app/window/status_bar.h"
#include "app/window/taskbar_progress.h"
#include "app/window/tray_icon.h"
#include "app/window/ui_task_queue.h"
#include "app/window/window_search.h"
#include "contact/contact_history.h"
#include "app/window/window_waits.h"
#include "results/result_table.h"

namespace quorvane {

class MainWindowImpl final : public MainWindow, private ProgramWindow {
 public:
  // A second start of the program finds the first one's window by it.
  static constexpr wchar_t kWindowClass[] = L"QuorvaneMainWindow";

  static void registerWindowClass(HINSTANCE instance);
  // Creates the window hidden; its creation handler then shows it. With
  // `settings`, what they remember is shown again (criteria, account, place,
  // column widths, export folder) and they are written when a search starts
  // and when the program ends; the file must outlive the window.
  static std::unique_ptr<MainWindowImpl> create(HINSTANCE instance, SettingsFile* settings = nullptr);
  ~MainWindowImpl() override;

  HWND handle() const override { return window_; }
  HWND control(Control c) const override { return controls_[indexOf(c)]; }
  LocalText text(Control c) const override;
  void setText(Control c, const LocalText& text) override;
  bool ticked(Control c) const override;
  void setTicked(Control c, bool ticked) override;
  int selectedIndex(Control c) const override;
  void setSelectedIndex(Control c, int index) override;
  void clearItems(Control c) override;
  void addItem(Control c, const LocalText& item) override;
  bool enabled(Control c) const override;
  void setEnabled(Control c, bool enabled) override;
  ResultTable& table() override { return table_; }
  void resetSelection() override;
  LocalText selectionList() const override { return selection_.list(); }
  void removeFromSelection(int row) override { selection_.remove(row); }
  ContactLog& contactLog() override { return contactLog_; }
  ContactPace contactPace() const override { return settings_.pace; }
  void showDailyCount(bool reread) override;
  void offerRoundStop(std::function<void()> stop) override;
  // [Services] is read afresh each time: a host the user corrects in the
  // file counts from the next search on.
  ServiceHosts serviceHosts() const override {
    return serviceHostsFromEnvironment(settingsFile_ ? settingsFile_->load().hosts : settings_.hosts);
  }
  void slideRegionPanelOut() override;
  void setStatusText(const LocalText& text) override;
  unsigned timerInterval() const override { return timerInterval_; }
  void setTimerInterval(unsigned milliseconds) override;
  void runOnUiThread(std::function<void()> task) override;
  WindowWaits& waits() override { return waits_; }

  // The program's keys, for the message loop: F5 and Alt+R while the window
  // or one of its controls has the focus, then the dialog keys (Tab, Enter,
  // Esc). True when the message was used up.
  bool translateKeyboardMessage(MSG& message);

  // Tests stand in for the shell's taskbar list, to see what the button
  // shows; null gives the window its own back.
  void useTaskbarProgress(TaskbarProgress* taskbar) { progress_.useTaskbar(taskbar ? *taskbar : taskbar_); }
  // What the status bar's message part says now.
  LocalText statusText() const { return statusBar_.text(StatusPart::Message); }
  // What the tooltip of 搜索结果 says now.
  LocalText searchProgressText() const { return progress_.tooltipText(); }
  int searchProgressTooltipWidth() const { return progress_.tooltipWidth(); }

  // The batch-id window, open or not.
  const BatchIdWindow& batchWindow() const { return batch_; }

  // The IM account 联系旺旺列表框 shows selected ("" for none), for the
  // settings file to keep; and the kept one, to be selected when the first
  // reading lists it (call it right after create(): readings end later).
  LocalText selectedImAccount() const { return accounts_.selectedAccount(); }
  void keepImAccount(const LocalText& account) { accounts_.keepAccount(account); }

 private:
  explicit MainWindowImpl(HINSTANCE instance);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // building the window
  void createControls();
  HWND parentFor(ControlParent parent) const;
  void fillCreditRanges();
  void arrangeZOrder();

  // size and DPI (main_window_sizing.cpp)
  void createFonts();
  void renewFonts();
  void fitToWorkArea();
  void layOut() override;
  // Fonts, the grid's and the progress bar's drawing, the tray icon's image.
  void renewForScale() override;
  // The smallest outer size that keeps the controls in reach (see
  // mainWindowMinimumClientSize).
  SIZE minimumSize() const;
  void onMinMaxInfo(MINMAXINFO& limits) const;

  // settings (main_window_settings.cpp)
  bool restorePlacement();
  void showRememberedCriteria();
  Settings currentSettings() const;
  void saveSettings();

  // window events
  void onCreated();
  void onCloseRequested();
  void onDestroyed();
  void onTimer(UINT_PTR id);
  void onShellStarted();
  void onTrayIconEvent(LPARAM mouseMessage);
  void onExitChosen();
  void onSessionEnding();
  void onMouseMovedOverWindow();
  void onCommand(int id, int code);
  void onControlClicked(Control c);
  void onEnterPressed(Control edit);
  void onCancelPressed();
  void startSearch();
  void onRegionLinkMouse(UINT mouseMessage);
  void onGridSpacePressed();
  void onGridTickClicked(int row);
  void onSettingsChosen();
  void onWorthContactingOnlyChosen(bool on);
  void onWaitingChanged(bool waiting);
  LRESULT onNotify(const NMHDR& header);
  LRESULT onStaticColour(HDC dc, HWND label);

  void setRegionLinkColour(COLORREF colour);
  void showSelectionCount();
  void showViewStatus();
  void keepContactLogForExit();
  void relayMouseToTooltip(UINT message, WPARAM wParam, LPARAM lParam);
  void attachGridMenu();

  HINSTANCE instance_;
  HACCEL keys_ = nullptr;
  SettingsFile* settingsFile_ = nullptr;
  Settings settings_;  // as read at the start; the defaults without a file
  std::wstring exportFolder_;
  std::array<HWND, kControlCount> controls_{};
  HFONT font_ = nullptr;
  HFONT underlinedFont_ = nullptr;
  StatusBar statusBar_;
  ContactLog contactLog_ = ContactLog::besideHistoryOf(ContactHistory::ofThisProgram().file());
  bool settingsOpen_ = false;
  std::function<void()> roundStop_;  // while a paced round of 联系选中 runs
  LayoutPasses layoutPasses_;
  UINT taskbarCreatedMessage_ = 0;
  UINT taskbarButtonCreatedMessage_ = 0;
  unsigned timerInterval_ = 0;
  COLORREF regionLinkColour_ = RGB(0, 0, 0);
  HWND focusBeforeWait_ = nullptr;

  ResultTable table_;
  Selection selection_;
  ResultGrid grid_{table_};
  GridContextMenu gridMenu_{grid_};
  RegionPanel panel_;
  TrayIcon trayIcon_;
  UiTaskQueue uiTasks_;
  WindowWaits waits_{[this](MSG& message) { return translateKeyboardMessage(message); },
                     [this](bool waiting) { onWaitingChanged(waiting); }};
  // Closed with the window; before the waits go.
  BatchIdWindow batch_{waits_, batchWindowServices(*this)};
  // After the task queue, so it lets go of its workers first.
  AccountReading accounts_{*this};
  TaskbarButtonProgress taskbar_;
  SearchProgressView progress_;
  // Last, so the search is stopped and its thread gone before anything it
  // reports to.
  WindowSearch search_{*this, progress_};
};

}  // namespace quorvane
