#pragma once
// The search itself: for every province the probe, then the result pages from
// the last to the first, one grid row per shop within the credit limit, its
// seller's presence and whether the seller was contacted before.
#include "app/result_table.h"
#include "contact/contact_history.h"
#include "search/search_criteria.h"
#include "search/service_hosts.h"
#include "search/shop_page_reader.h"
#include "search/stop_flag.h"
#include "web/page_fetcher.h"
#include "text/text.h"

namespace quorvane {

// What the worker reports besides the rows. Called on the worker's thread.
class SearchObserver {
 public:
  virtual ~SearchObserver() = default;
  virtual void countLabelChanged(const LocalText& label) = 0;
};

// "项目数：" n "/条"
LocalText countLabel(int rows);

class SearchWorker {
 public:
  SearchWorker(SearchCriteria criteria, ServiceHosts hosts, ContactHistory history, PageFetcher& web,
               ResultTable& table, SearchObserver& observer, const StopFlag& stop);

  // Runs the whole search. Returns early when asked to stop, and once the
  // grid's last row is filled: shops beyond it could not be shown.
  void run();

 private:
  enum class Next { Go, NextProvince, End };
  Next searchProvince(ShopPageReader& reader, const LocalText& province);
  Next addShops(const std::vector<ShopFields>& shops);
  void addRow(const ShopFields& shop);
  bool mustEnd() const;

  SearchCriteria criteria_;
  ServiceHosts hosts_;
  ContactHistory historyFile_;
  PageFetcher& web_;
  ResultTable& table_;
  SearchObserver& observer_;
  const StopFlag& stop_;
  LocalText history_;
  int rows_ = 0;
};

}  // namespace quorvane
