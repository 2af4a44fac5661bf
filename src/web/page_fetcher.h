#pragma once
#include "text/text.h"

namespace quorvane {

// What the search and contact code need from the web: a GET of one URL, the
// body read as local text, "" on any failure.
class PageFetcher {
 public:
  virtual ~PageFetcher() = default;
  virtual LocalText fetchPageText(const LocalText& url) = 0;
  // The same in place of what `page` held, keeping its storage: a search
  // reading page after page into one string allocates it once.
  virtual void fetchPageTextInto(const LocalText& url, LocalText& page) { page = fetchPageText(url); }
};

}  // namespace quorvane
