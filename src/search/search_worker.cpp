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
  keywords_ = searchKeywords(criteria_.keyword);
  rows_ = 0;
  sellers_.clear();
  merged_ = 0;
  for (int keyword = 0; keyword < static_cast<int>(keywords_.size()); ++keyword)
    for (int province = 0; province < static_cast<int>(criteria_.provinces.size()); ++province)
      if (searchProvince(reader, keyword, province) == Next::End) return;
}

SearchWorker::Next SearchWorker::searchProvince(ShopPageReader& reader, int keyword, int province) {
  if (mustEnd()) return Next::End;
  const LocalText& query = keywords_[static_cast<size_t>(keyword)];
  const LocalText& name = criteria_.provinces[static_cast<size_t>(province)];
  const int provinces = static_cast<int>(criteria_.provinces.size());
  const bool severalKeywords = keywords_.size() > 1;
  events_.send(ProvinceStarted{keyword * provinces + province, static_cast<int>(keywords_.size()) * provinces, name,
                               severalKeywords ? query : LocalText()});
  if (!web_.fetchPageTextInto(probeUrl(hosts_.search, query, name), page_))
    report(ProbeFailed{keyword * provinces + province});
  const std::int64_t pages = reader.totalPages(page_);
  for (std::int64_t p = 1; p <= pages; ++p) {
    if (mustEnd()) return Next::End;
    events_.send(PageStarted{p, pages});
    const LocalText url = resultPageUrl(hosts_.search, query, name, pageOffset(pages, p));
    if (!web_.fetchPageTextInto(url, page_)) report(PageFailed{p});
    Next next = addShops(reader.shops(page_), keyword, province);
    if (next != Next::Go) return next;
  }
  return Next::Go;
}

SearchWorker::Next SearchWorker::addShops(const std::vector<ShopFields>& shops, int keyword, int province) {
  for (const ShopFields& shop : shops) {
    if (mustEnd()) return Next::End;
    if (!withinCreditLimit(shop.rank, criteria_.creditLimit)) return Next::NextProvince;
    addRow(shop, keyword, province);
  }
  return Next::Go;
}

// A seller with a row already is counted, not written again: a second row
// would be ticked and contacted twice. Shops without an id name no seller
// and are never merged.
void SearchWorker::addRow(const ShopFields& shop, int keyword, int province) {
  if (!shop.sellerId.empty() && !sellers_.insert(shop.sellerId).second) {
    events_.send(SellersMerged{++merged_});
    return;
  }
  const int row = ++rows_;
  events_.send(ShopFound{row, shopRowOf(shop), keyword, province});
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
