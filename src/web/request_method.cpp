#include "web/request_method.h"

namespace quorvane {

LocalText requestVerb(int method) { return method == 1 ? "POST" : "GET"; }

ByteArray requestBody(int method, std::string_view bodyText, ByteArray& bodyBytes) {
  if (method == 0) return {};
  if (bodyBytes.empty()) bodyBytes = ByteArray(bodyText);
  return bodyBytes;
}

}  // namespace quorvane
