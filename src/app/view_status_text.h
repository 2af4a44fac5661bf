#pragma once
// What the status bar says about the grid's view when it is not every row in
// the search's order: "只显示在线且未联系 35/120" (rows shown of the results)
// and "按月销量降序". "" for the plain view.
#include "results/result_view.h"
#include "text/text.h"

namespace quorvane {

LocalText viewStatusText(const ResultView& view, const ResultTable& table);

}  // namespace quorvane
