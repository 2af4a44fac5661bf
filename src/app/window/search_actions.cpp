// The search as the main window starts and stops it. Everything here runs on
// the window's thread except the worker, which writes its rows into the
// result table (safe from any thread) and hands the count label and its own
// end back to the window's thread.
#include <memory>

#include "app/window/main_window_actions.h"
#include "app/window/window_text.h"
#include "search/search_criteria.h"
#include "search/search_thread.h"
#include "search/search_worker.h"
#include "search/service_hosts.h"
#include "web/web_client.h"

namespace quorvane {
namespace {

constexpr const char* kIncompleteSearchText =
    "   \xB5\xD8\xC7\xF8\xBB\xF2\xB9\xD8\xBC\xFC\xB4\xCA\xB2\xBB\xD5\xFD\xC8\xB7\xA3\xA1";  // 地区或关键词不正确！
constexpr const char* kIncompleteSearchTitle = "\xCC\xE1\xCA\xBE\xA3\xBA";                 // 提示：

SearchThread& searchThread() {
  static SearchThread thread;
  return thread;
}

// Each search gets the next number; what a worker hands back to the window
// applies only while no later search has started. Window thread only.
unsigned currentSearch = 0;

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

// Empties the result rows and the tick selection and gives every result cell
// its plain look again, so colours of the last search do not carry over.
void resetResults(MainWindow& window) {
  ResultTable& table = window.table();
  const int lastRow = table.rowCount() - 1;
  table.clear({1, 0, lastRow, 8});
  table.setBackground({1, 1, lastRow, 8}, kWhite);
  table.setTextColour({1, 1, lastRow, 8}, kBlack);
  window.resetSelection();
}

void setSearchButtonsEnabled(MainWindow& window, bool enabled) {
  window.setEnabled(Control::搜索, enabled);
  window.setEnabled(Control::启动高级搜索, enabled);
}

class CountLabelOnWindow : public SearchObserver {
 public:
  CountLabelOnWindow(MainWindow& window, unsigned search) : window_(window), search_(search) {}
  void countLabelChanged(const LocalText& label) override {
    MainWindow* window = &window_;
    window_.runOnUiThread([window, search = search_, label] {
      if (search == currentSearch) window->setText(Control::搜索结果, label);
    });
  }

 private:
  MainWindow& window_;
  unsigned search_;
};

void onSearchEndedByItself(MainWindow& window, unsigned search) {
  if (search != currentSearch) return;
  setSearchButtonsEnabled(window, true);
  searchThread().join();
}

void startSearchThread(MainWindow& window, SearchCriteria criteria) {
  const unsigned search = ++currentSearch;
  auto web = std::make_shared<WebClient>();
  MainWindow* target = &window;
  searchThread().start(
      [target, web, search, criteria = std::move(criteria)](const StopFlag& stop) {
        CountLabelOnWindow labels(*target, search);
        SearchWorker(criteria, serviceHostsFromEnvironment(), ContactHistory::besideExecutable(), *web,
                     target->table(), labels, stop)
            .run();
      },
      [web] { web->abort(); },
      [target, search] { target->runOnUiThread([target, search] { onSearchEndedByItself(*target, search); }); });
}

}  // namespace

void onSearchRequested(MainWindow& window) {
  if (searchThread().running()) return;
  SearchCriteria criteria = criteriaOf(window);
  if (!isComplete(criteria)) {
    showIncompleteSearch(window);
    return;
  }
  window.slideRegionPanelOut();
  searchThread().join();  // a stopped search leaves at once; it must be gone before the grid is reset
  resetResults(window);
  setSearchButtonsEnabled(window, false);
  startSearchThread(window, std::move(criteria));
}

void onStopSearchClicked(MainWindow& window) {
  searchThread().stop();
  setSearchButtonsEnabled(window, true);
}

void stopSearchForExit(MainWindow&) {
  searchThread().stop();
  searchThread().join();
}

}  // namespace quorvane
