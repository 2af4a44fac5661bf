#pragma once
// The search itself: for every keyword and every province the probe, then
// the result pages from the last to the first, one grid row per seller
// within the credit limit (a seller found again under another province, page
// or keyword keeps the row it has), its presence and whether the seller was
// contacted before. The worker
// writes nothing itself: every row, status and count goes out as an event,
// and so does every request that failed, which changes nothing else.
#include <unordered_set>
#include <vector>

#include "contact/contact_history.h"
#include "search/search_criteria.h"
#include "search/search_events.h"
#include "search/service_hosts.h"
#include "search/shop_page_reader.h"
#include "search/stop_flag.h"
#include "text/text.h"
#include "web/page_fetcher.h"

namespace quorvane {

// "项目数：" n "/条"
LocalText countLabel(int rows);

// The grid row a shop goes into, its columns 1 to 6 (the rank followed by
// "心" in the credit column).
ShopRow shopRowOf(const ShopFields& shop);

class SearchWorker {
 public:
  SearchWorker(SearchCriteria criteria, ServiceHosts hosts, ContactHistory history, PageFetcher& web,
               SearchEvents& events, const StopFlag& stop);

  // Runs the whole search. Returns early when asked to stop, and once the
  // grid's last row is filled: shops beyond it could not be shown. The end
  // event is the caller's to send (a stopped search sends none).
  void run();

 private:
  enum class Next { Go, NextProvince, End };
  Next searchProvince(ShopPageReader& reader, int keyword, int province);
  Next addShops(const std::vector<ShopFields>& shops, int keyword, int province);
  void addRow(const ShopFields& shop, int keyword, int province);
  void report(SearchEvent failure);
  bool mustEnd() const;

  SearchCriteria criteria_;
  ServiceHosts hosts_;
  ContactHistory historyFile_;
  PageFetcher& web_;
  SearchEvents& events_;
  const StopFlag& stop_;
  std::vector<LocalText> keywords_;
  LocalText history_;
  LocalText page_;  // the page being read; one string for every page of the search
  int rows_ = 0;
  std::unordered_set<LocalText> sellers_;  // the ids that have a row
  int merged_ = 0;
};

}  // namespace quorvane
