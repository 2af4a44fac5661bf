#pragma once
#include <string_view>

#include "text/text.h"

namespace quorvane {

// The agent a request presents when its extra headers name none.
extern const std::string_view kDefaultAgent;

// The value of a "User-Agent:" line in the extra headers (name matched
// without regard to case), else the default agent. The line itself is still
// sent with the other extra headers.
LocalText requestAgent(std::string_view extraHeaders);

}  // namespace quorvane
