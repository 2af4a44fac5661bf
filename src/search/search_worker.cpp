#include "search/search_worker.h"

#include <string>

#include "search/credit_rule.h"
#include "search/presence_lookup.h"
#include "search/row_status.h"
#include "search/search_urls.h"

namespace quorvane {

LocalText countLabel(int rows) {
  return "\xCF\xEE\xC4\xBF\xCA\xFD\xA3\xBA" + std::to_string(rows) + "/\xCC\xF5";  // 项目数：n/条
}

ShopRow shopRowOf(const ShopFields& shop) {
  ShopRow row;
  row.shopName = shop.name;
  row.sellerId = shop.sellerId;
  row.itemCount = shop.itemCount;
  row.monthlySales = shop.monthlySales;
  row.credit = shop.rank + "\xD0\xC4";  // 心
  row.category = shop.category;
  return row;
}

SearchWorker::SearchWorker(SearchCriteria criteria, ServiceHosts hosts, ContactHistory history, PageFetcher& web,
                           SearchEvents& events, const StopFlag& stop)
    : criteria_(std::move(criteria)),
      hosts_(std::move(hosts)),
      historyFile_(std::move(history)),
      web_(web),
      events_(events),
      stop_(stop) {}

bool SearchWorker::mustEnd() const { return stop_.requested() || rows_ >= ResultTable::kLastRow; }

void SearchWorker::run() {
  ShopPageReader reader;
  history_ = historyFile_.load();
  rows_ = 0;
  for (int index = 0; index < static_cast<int>(criteria_.provinces.size()); ++index)
    if (searchProvince(reader, index) == Next::End) return;
}

SearchWorker::Next SearchWorker::searchProvince(ShopPageReader& reader, int index) {
  if (mustEnd()) return Next::End;
  const LocalText& province = criteria_.provinces[static_cast<size_t>(index)];
  events_.send(ProvinceStarted{index, static_cast<int>(criteria_.provinces.size()), province});
  if (!web_.fetchPageTextInto(probeUrl(hosts_.search, criteria_.keyword, province), page_))
    report(ProbeFailed{index});
  const std::int64_t pages = reader.totalPages(page_);
  for (std::int64_t p = 1; p <= pages; ++p) {
    if (mustEnd()) return Next::End;
    events_.send(PageStarted{p, pages});
    const LocalText url = resultPageUrl(hosts_.search, criteria_.keyword, province, pageOffset(pages, p));
    if (!web_.fetchPageTextInto(url, page_)) report(PageFailed{p});
    Next next = addShops(reader.shops(page_));
    if (next != Next::Go) return next;
  }
  return Next::Go;
}

SearchWorker::Next SearchWorker::addShops(const std::vector<ShopFields>& shops) {
  for (const ShopFields& shop : shops) {
    if (mustEnd()) return Next::End;
    if (!withinCreditLimit(shop.rank, criteria_.creditLimit)) return Next::NextProvince;
    addRow(shop);
  }
  return Next::Go;
}

void SearchWorker::addRow(const ShopFields& shop) {
  const int row = ++rows_;
  events_.send(ShopFound{row, shopRowOf(shop)});
  events_.send(CountChanged{row});
  if (stop_.requested()) return;
  const Presence presence = lookUpPresence(web_, hosts_.presence, shop.sellerId, IdEncoding::KeepPlain);
  if (stop_.requested()) return;
  if (presence.failed) report(PresenceFailed{row});
  if (auto status = rowStatus(presence.status, history_, shop.sellerId)) events_.send(StatusKnown{row, *status});
}

// A request cut short by a stop did not fail: the user ended it.
void SearchWorker::report(SearchEvent failure) {
  if (!stop_.requested()) events_.send(std::move(failure));
}

}  // namespace quorvane
