#pragma once
// Asks the marketplace's IM presence service whether one seller is online.
#include "web/page_fetcher.h"
#include "text/text.h"

namespace quorvane {

constexpr const char* kOnline = "1";
constexpr const char* kOffline = "0";

// How the id is written into the query: the search keeps letters, digits and
// , - . / as they are; the batch contact escapes every byte.
enum class IdEncoding { KeepPlain, EscapeAll };

LocalText presenceUrl(const LocalText& presenceHost, const LocalText& sellerId, IdEncoding encoding);

// The presence status of one seller, and whether its request failed (a
// failed request's status is undetermined, as any other unreadable answer's).
struct Presence {
  LocalText status;
  bool failed = false;
};

Presence lookUpPresence(PageFetcher& fetcher, const LocalText& presenceHost, const LocalText& sellerId,
                        IdEncoding encoding);

// "1" online, "0" offline, anything else (empty included) undetermined: the
// text between the answer's first "]=" and the next ";", unchanged.
LocalText PresenceLookup(PageFetcher& fetcher, const LocalText& presenceHost, const LocalText& sellerId,
                         IdEncoding encoding);

}  // namespace quorvane
