#pragma once
// The shop-search requests of one province: a probe that tells the page
// count, then the result pages from the last one to the first.
#include <cstdint>

#include "text/text.h"

namespace quorvane {

constexpr std::int64_t kShopsPerPage = 20;

// Keyword and province go in as the local bytes they are, unencoded.
LocalText probeUrl(const LocalText& searchHost, const LocalText& keyword, const LocalText& province);
LocalText resultPageUrl(const LocalText& searchHost, const LocalText& keyword, const LocalText& province,
                        std::int64_t offset);

// The offset of the p-th page requested (p from 1 to pageCount): the pages are
// taken from the last to the first, so page 1 is the last one.
std::int64_t pageOffset(std::int64_t pageCount, std::int64_t p);

}  // namespace quorvane
