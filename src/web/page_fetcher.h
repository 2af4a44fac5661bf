#pragma once
#include "text/text.h"

namespace quorvane {

// One GET as the search and contact code see it: the body read as local
// text, and whether the request failed. A failed request (no answer at all,
// an answer cut short or stalled, an error status such as 404 or 500) reads
// as "" or as the error page's text, exactly as before; `failed` only lets
// the caller say so.
struct PageAnswer {
  LocalText text;
  bool failed = false;
};

// What the search and contact code need from the web: a GET of one URL.
class PageFetcher {
 public:
  virtual ~PageFetcher() = default;
  virtual PageAnswer fetchPage(const LocalText& url) = 0;
  // The body as local text, "" on any failure.
  LocalText fetchPageText(const LocalText& url) { return fetchPage(url).text; }
};

}  // namespace quorvane
