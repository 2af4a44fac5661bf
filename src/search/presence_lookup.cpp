#include "search/presence_lookup.h"

#include "text/text_between.h"
#include "web/url_encoding.h"

namespace quorvane {

LocalText presenceUrl(const LocalText& presenceHost, const LocalText& sellerId, IdEncoding encoding) {
  return "http://" + presenceHost + "/muliuserstatus.aw?beginnum=0&site=cntaobao&charset=utf-8&uids=" +
         urlEncode(sellerId, encoding == IdEncoding::KeepPlain);
}

LocalText PresenceLookup(PageFetcher& fetcher, const LocalText& presenceHost, const LocalText& sellerId,
                         IdEncoding encoding) {
  return textBetween(fetcher.fetchPageText(presenceUrl(presenceHost, sellerId, encoding)), "]=", ";");
}

}  // namespace quorvane
