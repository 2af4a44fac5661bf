#include "search/presence_lookup.h"

#include "text/text_between.h"
#include "text/url_encoding.h"

namespace quorvane {

LocalText presenceUrl(const LocalText& presenceHost, const LocalText& sellerId, IdEncoding encoding) {
  return "http://" + presenceHost + "/muliuserstatus.aw?beginnum=0&site=cntaobao&charset=utf-8&uids=" +
         urlEncode(sellerId, encoding == IdEncoding::KeepPlain);
}

Presence lookUpPresence(PageFetcher& fetcher, const LocalText& presenceHost, const LocalText& sellerId,
                        IdEncoding encoding) {
  const PageAnswer answer = fetcher.fetchPage(presenceUrl(presenceHost, sellerId, encoding));
  return {textBetween(answer.text, "]=", ";"), answer.failed};
}

LocalText PresenceLookup(PageFetcher& fetcher, const LocalText& presenceHost, const LocalText& sellerId,
                         IdEncoding encoding) {
  return lookUpPresence(fetcher, presenceHost, sellerId, encoding).status;
}

}  // namespace quorvane
