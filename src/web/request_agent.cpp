#include "web/request_agent.h"

#include "text/letter_case.h"
#include "text/text_between.h"
#include "text/text_pieces.h"

namespace quorvane {

const std::string_view kDefaultAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; Korv; .NET CLR 2.0.50727; "
    ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)";

LocalText requestAgent(std::string_view extraHeaders) {
  constexpr std::string_view kName = "User-Agent:";
  if (findIgnoringLetterCase(extraHeaders, kName) == std::string_view::npos) {
    return LocalText(kDefaultAgent);
  }
  // The line ends at the next CR LF or, when it is the last one, at the end.
  LocalText terminated = LocalText(extraHeaders) + "\r\n";
  return trimSpaces(textBetween(terminated, kName, "\r\n"));
}

}  // namespace quorvane
