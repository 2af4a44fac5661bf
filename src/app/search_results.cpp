#include "app/search_results.h"

namespace quorvane {

SearchProgress applySearchEvents(ResultTable& table, const std::vector<SearchEvent>& events) {
  SearchProgress progress;
  ResultTable::ChangeBatch batch(table);
  for (const SearchEvent& event : events) {
    if (const auto* found = std::get_if<ShopFound>(&event)) table.setShop(found->row, found->shop, found->keyword, found->province);
    if (const auto* known = std::get_if<StatusKnown>(&event)) table.applyStatus(known->row, known->status);
    if (const auto* count = std::get_if<CountChanged>(&event)) progress.rows = count->rows;
    if (std::holds_alternative<SearchEnded>(event)) progress.ended = true;
  }
  return progress;
}

}  // namespace quorvane
