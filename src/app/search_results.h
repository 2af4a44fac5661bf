#pragma once
// A search's events as the window's thread applies them to its result table.
#include <optional>
#include <vector>

#include "results/result_table.h"
#include "search/search_events.h"

namespace quorvane {

// What a batch leaves for the window besides the table's rows.
struct SearchProgress {
  std::optional<int> rows;  // the last count in the batch, for 搜索结果
  bool ended = false;

  bool operator==(const SearchProgress&) const = default;
};

// Applies the events in order: found shops and known statuses go into their
// rows (a row the user contacted meanwhile keeps its contact state and look).
SearchProgress applySearchEvents(ResultTable& table, const std::vector<SearchEvent>& events);

}  // namespace quorvane
