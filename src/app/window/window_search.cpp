#include "app/window/window_search.h"

#include <optional>

#include "app/contact_log.h"
#include "app/search_results.h"
#include "app/window/window_text.h"
#include "search/search_criteria.h"
#include "search/search_worker.h"
#include "search/service_hosts.h"
#include "search/shop_page_patterns.h"
#include "platform/local_time.h"
#include "web/web_client.h"

namespace quorvane {
namespace {

constexpr const char* kIncompleteSearchText =
    "   \xB5\xD8\xC7\xF8\xBB\xF2\xB9\xD8\xBC\xFC\xB4\xCA\xB2\xBB\xD5\xFD\xC8\xB7\xA3\xA1";  // 地区或关键词不正确！
constexpr const char* kIncompleteSearchTitle = "\xCC\xE1\xCA\xBE\xA3\xBA";                 // 提示：

Control provinceCheckBox(int province) {
  return static_cast<Control>(static_cast<int>(Control::安徽) + province);
}

SearchCriteria criteriaOf(const MainWindow& window) {
  SearchCriteria criteria;
  criteria.provinces =
      splitProvinceList(tickedProvinceList([&](int i) { return window.ticked(provinceCheckBox(i)); }));
  criteria.keyword = window.text(Control::关键词输入框);
  criteria.creditLimit = window.selectedIndex(Control::组合框1);
  return criteria;
}

void showIncompleteSearch(const MainWindow& window) {
  MessageBoxW(window.handle(), toWide(kIncompleteSearchText).c_str(), toWide(kIncompleteSearchTitle).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

// A field pattern that does not compile would make every search find
// nothing; the user is told instead. (A status bar, once the window has one,
// is the place for this text.)
void showBrokenPattern(const MainWindow& window, const LocalText& pattern) {
  MessageBoxW(window.handle(), toWide(brokenPatternMessage(pattern)).c_str(), toWide(kIncompleteSearchTitle).c_str(),
              MB_OK | MB_ICONWARNING);
}

}  // namespace

WindowSearch::WindowSearch(MainWindow& window, SearchProgressView& progress)
    : window_(window), progress_(progress) {
  ShopPagePatterns::compiled();  // once, as the window is made, not in the middle of the first search
}

WindowSearch::~WindowSearch() { stopForExit(); }

bool WindowSearch::start() {
  if (thread_.running()) return false;
  SearchCriteria criteria = criteriaOf(window_);
  if (!isComplete(criteria)) {
    showIncompleteSearch(window_);
    return false;
  }
  if (const std::optional<LocalText> broken = ShopPagePatterns::compiled().broken()) {
    showBrokenPattern(window_, *broken);
    return false;
  }
  window_.slideRegionPanelOut();
  // A stopped search leaves at once; it must be gone, and its events with it,
  // before the grid is reset.
  thread_.join();
  if (channel_) channel_->close();
  window_.table().clearResults(SearchRun{searchKeywords(criteria.keyword), criteria.provinces,
                                         isoLocalTime(platform::localNow())});
  window_.resetSelection();
  setSearchButtonsEnabled(false);
  searchedKeyword_ = criteria.keyword;
  ServiceHosts hosts = window_.serviceHosts();
  progress_.searchStarted(criteria, window_.text(Control::组合框1), hosts.search);
  startThread(std::move(criteria), std::move(hosts));
  return true;
}

void WindowSearch::startThread(SearchCriteria criteria, ServiceHosts hosts) {
  MainWindow& window = window_;
  channel_ = SearchEventChannel::open([&window](std::function<void()> task) { window.runOnUiThread(std::move(task)); },
                                      [this](std::vector<SearchEvent>&& events) { onEvents(std::move(events)); });
  auto web = std::make_shared<WebClient>();
  std::shared_ptr<SearchEvents> events = channel_;
  const bool started = thread_.start(
      [web, events, criteria = std::move(criteria), hosts = std::move(hosts)](const StopFlag& stop) {
        SearchWorker(criteria, hosts, ContactHistory::ofThisProgram(), *web, *events, stop).run();
      },
      [web] { web->abort(); }, [events] { events->send(SearchEnded{}); });
  // No thread, no search: only 停止搜索 gives the buttons back, and the
  // progress must not wait for an end that cannot come.
  if (!started) progress_.searchStopped();
}

void WindowSearch::onEvents(std::vector<SearchEvent>&& events) {
  const SearchProgress progress = applySearchEvents(window_.table(), events);
  if (progress.rows) window_.setText(Control::搜索结果, countLabel(*progress.rows));
  progress_.eventsArrived(events);
  if (progress.ended) {
    setSearchButtonsEnabled(true);
    thread_.join();
    progress_.searchFinished();
  }
}

void WindowSearch::stop() {
  if (thread_.stop()) progress_.searchStopped();
  setSearchButtonsEnabled(true);
}

void WindowSearch::stopForExit() {
  if (thread_.stop()) progress_.searchStopped();
  thread_.join();
  if (channel_) channel_->close();
}

void WindowSearch::setSearchButtonsEnabled(bool enabled) {
  window_.setEnabled(Control::搜索, enabled);
  window_.setEnabled(Control::启动高级搜索, enabled);
}

}  // namespace quorvane
