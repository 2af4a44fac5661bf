#include "search/search_urls.h"

#include <string>

namespace quorvane {

LocalText probeUrl(const LocalText& searchHost, const LocalText& keyword, const LocalText& province) {
  return "https://" + searchHost + "/search?app=shopsearch&q=" + keyword +
         "&sort=credit-desc&isb=0&goodrate=10000%2C10010&loc=" + province;
}

LocalText resultPageUrl(const LocalText& searchHost, const LocalText& keyword, const LocalText& province,
                        std::int64_t offset) {
  return probeUrl(searchHost, keyword, province) + "&s=" + std::to_string(offset);
}

std::int64_t pageOffset(std::int64_t pageCount, std::int64_t p) { return (pageCount - p) * kShopsPerPage; }

}  // namespace quorvane
