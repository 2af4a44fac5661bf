#pragma once
// The substitute marketplace a test runs beside (started by
// tests/services/with-marketplace.sh): its request log, its hold switch and
// the shops of its shop file, seen from the Windows side.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"
#include "text/encodings.h"
#include "text/text.h"

namespace quorvane::testing {

// A Unix path as Wine shows it on drive Z:.
inline LocalText windowsPath(const char* unixPath) {
  LocalText path = "Z:";
  for (const char* c = unixPath; *c; ++c) path.push_back(*c == '/' ? '\\' : *c);
  return path;
}

inline LocalText environmentPath(const char* variable) {
  const char* value = std::getenv(variable);
  return value ? windowsPath(value) : LocalText();
}

struct LoggedRequest {
  LocalText line;                  // "GET /path?query HTTP/1.1"
  std::vector<LocalText> headers;  // "Name: value", as sent
  LocalText header(const LocalText& name) const {
    for (const LocalText& h : headers)
      if (h.compare(0, name.size() + 2, name + ": ") == 0) return h.substr(name.size() + 2);
    return "(none)";
  }
};

class MarketplaceSession {
 public:
  LocalText logPath = environmentPath("QUORVANE_MARKETPLACE_LOG");
  LocalText holdPath = environmentPath("QUORVANE_MARKETPLACE_HOLD");

  bool running() const { return !logPath.empty(); }

  // Every request so far, in arrival order.
  std::vector<LoggedRequest> requests() const {
    std::vector<LoggedRequest> requests;
    const ByteArray log = platform::readWholeFile(logPath).value_or("");
    size_t start = 0;
    for (size_t end; (end = log.find("\r\n\r\n", start)) != ByteArray::npos; start = end + 4) {
      LoggedRequest request;
      size_t lineStart = start;
      for (size_t lineEnd; lineStart < end + 2 && (lineEnd = log.find("\r\n", lineStart)) <= end;
           lineStart = lineEnd + 2) {
        LocalText line = log.substr(lineStart, lineEnd - lineStart);
        if (request.line.empty())
          request.line = line;
        else
          request.headers.push_back(line);
      }
      requests.push_back(request);
    }
    return requests;
  }

  void forgetRequests() const { platform::writeWholeFileAtomically(logPath, ""); }
  void holdAnswers() const { platform::writeWholeFileAtomically(holdPath, "hold"); }
  // Holds only the answers to requests whose path contains `text`.
  void holdAnswersTo(const LocalText& text) const { platform::writeWholeFileAtomically(holdPath, "only " + text); }
  void releaseAnswers() const { platform::deleteFile(holdPath); }
};

}  // namespace quorvane::testing
