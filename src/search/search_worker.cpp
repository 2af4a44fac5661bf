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

SearchWorker::SearchWorker(SearchCriteria criteria, ServiceHosts hosts, ContactHistory history, PageFetcher& web,
                           ResultTable& table, SearchObserver& observer, const StopFlag& stop)
    : criteria_(std::move(criteria)),
      hosts_(std::move(hosts)),
      historyFile_(std::move(history)),
      web_(web),
      table_(table),
      observer_(observer),
      stop_(stop) {}

bool SearchWorker::mustEnd() const { return stop_.requested() || rows_ >= table_.rowCount() - 1; }

void SearchWorker::run() {
  ShopPageReader reader;
  history_ = historyFile_.load();
  rows_ = 0;
  for (const LocalText& province : criteria_.provinces)
    if (searchProvince(reader, province) == Next::End) return;
}

SearchWorker::Next SearchWorker::searchProvince(ShopPageReader& reader, const LocalText& province) {
  if (mustEnd()) return Next::End;
  const std::int64_t pages = reader.totalPages(web_.fetchPageText(probeUrl(hosts_.search, criteria_.keyword, province)));
  for (std::int64_t p = 1; p <= pages; ++p) {
    if (mustEnd()) return Next::End;
    const LocalText url = resultPageUrl(hosts_.search, criteria_.keyword, province, pageOffset(pages, p));
    Next next = addShops(reader.shops(web_.fetchPageText(url)));
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
  table_.setText(row, 1, shop.name);
  table_.setText(row, 2, shop.sellerId);
  table_.setText(row, 3, shop.itemCount);
  table_.setText(row, 4, shop.monthlySales);
  table_.setText(row, 5, shop.rank + "\xD0\xC4");  // 心
  table_.setText(row, 6, shop.category);
  observer_.countLabelChanged(countLabel(row));
  if (stop_.requested()) return;
  const LocalText presence = PresenceLookup(web_, hosts_.presence, shop.sellerId, IdEncoding::KeepPlain);
  if (stop_.requested()) return;
  if (auto status = rowStatus(presence, history_, shop.sellerId)) applyRowStatus(table_, row, *status);
}

}  // namespace quorvane
