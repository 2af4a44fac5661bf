#pragma once
// The main window's search: the one search thread, the web client it
// fetches with, and the channel its events come back through. The window
// owns it; destroying it stops a running search and waits for its thread,
// so no worker outlives the window it reports to.
#include <memory>
#include <vector>

#include "app/search_event_channel.h"
#include "app/window/main_window.h"
#include "app/window/search_progress_view.h"
#include "search/search_criteria.h"
#include "search/search_thread.h"

namespace quorvane {

class WindowSearch {
 public:
  // Compiles the search's field patterns, once for the run.
  WindowSearch(MainWindow& window, SearchProgressView& progress);
  WindowSearch(const WindowSearch&) = delete;
  WindowSearch& operator=(const WindowSearch&) = delete;
  ~WindowSearch();

  // 搜索, 启动高级搜索, Enter or F5 while 搜索 is enabled. False when the
  // criteria were incomplete (the user was told) or a search runs already.
  bool start();
  // 停止搜索: the search ends at once; its rows so far stay.
  void stop();
  // "退出": stops the search and waits for its thread before the window goes.
  void stopForExit();

  // The keyword of the search whose rows the grid holds; "" before the first.
  const LocalText& searchedKeyword() const { return searchedKeyword_; }

 private:
  void startThread(SearchCriteria criteria, ServiceHosts hosts);
  void onEvents(std::vector<SearchEvent>&& events);
  void setSearchButtonsEnabled(bool enabled);

  MainWindow& window_;
  SearchProgressView& progress_;
  LocalText searchedKeyword_;
  SearchThread thread_;
  std::shared_ptr<SearchEventChannel> channel_;
};

}  // namespace quorvane
