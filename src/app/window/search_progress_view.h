#pragma once
// Where the user sees how far a search has come, beside the specified count
// in 搜索结果: the taskbar button's bar, a tooltip on the label naming the
// province and page being read, then what was searched and how long it
// took, and the status bar's line, which also tells what failed. Window
// thread only.
#include <windows.h>

#include <functional>
#include <vector>

#include "app/dpi_scale.h"
#include "app/search_position.h"
#include "app/search_status_line.h"
#include "app/window/taskbar_progress.h"

namespace quorvane {

class SearchProgressView {
 public:
  SearchProgressView() = default;
  SearchProgressView(const SearchProgressView&) = delete;
  SearchProgressView& operator=(const SearchProgressView&) = delete;
  ~SearchProgressView();

  using StatusSink = std::function<void(const LocalText& text)>;

  // Puts the tooltip over `countLabel` (搜索结果); the status line goes to `status`.
  void attach(HWND countLabel, TaskbarProgress& taskbar, StatusSink status);
  void detach();
  // The layout moved or sized the label: the tooltip's area follows it.
  void labelMoved();
  // The window's DPI: the tooltip wraps at a width that grows with it.
  void setScale(DpiScale scale);
  // The window's mouse messages, which the tooltip needs to know when to
  // show. They are handed over rather than taken by subclassing the window:
  // a subclassed window pays for a property lookup on every message, and the
  // grid sends its window several for every cell it paints.
  void relayMouse(const MSG& message);
  // Tests stand in for the shell's taskbar list.
  void useTaskbar(TaskbarProgress& taskbar) { taskbar_ = &taskbar; }

  // `searchHost`: where the search asks for its pages, named when it cannot be reached.
  void searchStarted(const SearchCriteria& criteria, const LocalText& creditText, const LocalText& searchHost);
  void eventsArrived(const std::vector<SearchEvent>& events);
  void searchFinished();
  void searchStopped();

  // What the tooltip says now ("" before the first search).
  LocalText tooltipText() const { return position_.description(); }
  // The width, in pixels, past which the tooltip wraps.
  int tooltipWidth() const;

 private:
  void show();

  SearchPosition position_;
  SearchStatusLine statusLine_;
  StatusSink status_;
  TaskbarProgress* taskbar_ = nullptr;
  std::optional<ProgressFraction> shown_;
  HWND label_ = nullptr;
  HWND tooltip_ = nullptr;
  DpiScale scale_;
};

}  // namespace quorvane
