#pragma once
// What the grid's copy commands put on the clipboard, as local text (the
// window hands it over as Unicode text). Only rows the search has written
// are copied; selected rows below them are empty and left out. Lines end in
// CR LF, as Windows programs paste them.
#include <vector>

#include "results/result_table.h"
#include "text/text.h"

namespace quorvane {

// "复制旺旺ID": the seller ids of `rows`, one per line, in the order given
// (the grid's, however it is sorted), each row once; rows without an id are
// left out. (Ids never hold a line break; one that did
// would have it as a space rather than become two ids.)
LocalText sellerIdsText(const ResultTable& table, const std::vector<int>& rows);

// "复制选中行" and Ctrl+C: the column titles, then `rows` in the order given, the
// eight text columns separated by tabs, so it pastes as a table into Excel
// and WPS. A tab or line break inside a cell becomes a space, so that each
// row stays one line and each cell one cell.
LocalText rowsText(const ResultTable& table, const std::vector<int>& rows);

}  // namespace quorvane
