#pragma once
// What one search covers: the keyword box's text as typed, the ticked
// provinces in table order, and the highest seller credit rank to accept.
// The box may hold several keywords (searchKeywords); a run searches each
// of them through the same provinces.
#include <functional>
#include <vector>

#include "text/text.h"

namespace quorvane {

struct SearchCriteria {
  LocalText keyword;
  std::vector<LocalText> provinces;
  int creditLimit = -1;  // the credit list's item index; -1 accepts nothing
};

// Every ticked province's name followed by one comma, in table order.
// `isTicked` is asked with each index of ProvinceTable.
LocalText tickedProvinceList(const std::function<bool(int province)>& isTicked);

// The list split at its commas; empty pieces are dropped.
std::vector<LocalText> splitProvinceList(const LocalText& list);

// The keywords of the keyword box, in order: the pieces between line breaks
// and "；", each without the spaces around it, empty and repeated pieces
// left out. A text with no separator is one keyword exactly as typed,
// spaces included.
std::vector<LocalText> searchKeywords(const LocalText& text);

// A search needs a keyword (spaces count) and at least one province.
bool isComplete(const SearchCriteria& criteria);

}  // namespace quorvane
