#include "search/search_criteria.h"

#include "search/province_table.h"

namespace quorvane {

LocalText tickedProvinceList(const std::function<bool(int province)>& isTicked) {
  LocalText list;
  for (int i = 0; i < kProvinceCount; ++i)
    if (isTicked(i)) list.append(ProvinceTable[static_cast<size_t>(i)]).push_back(',');
  return list;
}

std::vector<LocalText> splitProvinceList(const LocalText& list) {
  std::vector<LocalText> provinces;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    if (comma == LocalText::npos) comma = list.size();
    if (comma > start) provinces.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
  return provinces;
}

bool isComplete(const SearchCriteria& criteria) {
  return !criteria.keyword.empty() && !criteria.provinces.empty();
}

}  // namespace quorvane
