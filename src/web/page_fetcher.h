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
  // The body as local text in place of what `page` held, keeping its
  // storage: a search reading page after page into one string allocates it
  // once. False when the request failed; `page` then holds what was read,
  // as before ("" or the error page's text).
  virtual bool fetchPageTextInto(const LocalText& url, LocalText& page) = 0;

  PageAnswer fetchPage(const LocalText& url) {
    PageAnswer answer;
    answer.failed = !fetchPageTextInto(url, answer.text);
    return answer;
  }
  // The body as local text, "" on any failure.
  LocalText fetchPageText(const LocalText& url) { return fetchPage(url).text; }
};

}  // namespace quorvane
