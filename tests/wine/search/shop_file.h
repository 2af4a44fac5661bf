#pragma once
// The shops of the marketplace's shop file (shops.tsv), in file order, as
// local text: what the search tests expect to see.
#include <string>
#include <vector>

#include "platform/files.h"
#include "text/encodings.h"
#include "text/text.h"

namespace quorvane::testing {

struct ListedShop {
  LocalText keyword, province, name, nick, items, sales, rank, category, online;
};

inline std::vector<LocalText> splitAt(const std::string& text, char separator) {
  std::vector<LocalText> pieces;
  size_t start = 0;
  for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
    pieces.push_back(text.substr(start, end - start));
  pieces.push_back(text.substr(start));
  return pieces;
}

inline std::vector<ListedShop> listedShops(const LocalText& path) {
  std::vector<ListedShop> shops;
  for (const std::string& line : splitAt(platform::readWholeFile(path).value_or(""), '\n')) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<LocalText> f;
    for (const std::string& field : splitAt(line, '\t')) f.push_back(utf8ToLocal(field));
    if (f.size() >= 9) shops.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]});
  }
  return shops;
}

// The shops of one keyword and province, in file order.
inline std::vector<ListedShop> listing(const std::vector<ListedShop>& shops, const LocalText& keyword,
                                       const LocalText& province) {
  std::vector<ListedShop> found;
  for (const ListedShop& shop : shops)
    if (shop.keyword == keyword && shop.province == province) found.push_back(shop);
  return found;
}

}  // namespace quorvane::testing
