#include "web/response_reading.h"

#include <algorithm>
#include <limits>

#include "text/letter_case.h"
#include "text/text_pieces.h"
#include "web/header_value.h"

namespace quorvane {
namespace {

constexpr std::size_t kReadChunk = 1024;

LocalText headerName(std::string_view line) {
  const std::size_t colon = line.find(':');
  return colon == std::string_view::npos ? LocalText() : toLowerLetters(trimSpaces(line.substr(0, colon)));
}

// Digits only; a value too large to count saturates, which no body reaches.
std::optional<std::size_t> decimalNumber(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::size_t value = 0;
  constexpr std::size_t kMost = std::numeric_limits<std::size_t>::max();
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::size_t>(c - '0');
    value = value > (kMost - digit) / 10 ? kMost : value * 10 + digit;
  }
  return value;
}

}  // namespace

std::optional<ByteArray> readResponseBody(RequestInFlight& request, TrackedHandle& handle) {
  ByteArray body;
  for (;;) {
    char chunk[kReadChunk];
    std::optional<std::size_t> count;
    handle.useBlocking([&](platform::HttpTransport& t, platform::HttpHandle h) { count = t.read(h, chunk); });
    if (!count) return std::nullopt;
    if (*count == 0) return body;
    if (body.size() + *count > kLargestBody) return std::nullopt;
    body.append(chunk, std::min(*count, kReadChunk));
    request.advanced();
  }
}

LocalText readRawHeaders(TrackedHandle& handle) {
  char buffer[kRawHeaderBuffer];
  std::fill(std::begin(buffer), std::end(buffer), ' ');
  handle.use([&](platform::HttpTransport& t, platform::HttpHandle h) { t.queryRawHeaders(h, buffer); });
  return LocalText(buffer, std::find(std::begin(buffer), std::end(buffer), '\0'));
}

std::optional<std::size_t> announcedBodyLength(std::string_view rawHeaders) {
  std::optional<std::size_t> length;
  bool lengthSeen = false;
  for (const LocalText& line : splitText(rawHeaders, "\r\n")) {
    const LocalText name = headerName(line);
    if (name == "transfer-encoding") return std::nullopt;
    if (name == "content-length" && !lengthSeen) {
      lengthSeen = true;
      length = decimalNumber(headerValue(line));
    }
  }
  return length;
}

bool isWholeBody(const ByteArray& body, std::string_view rawHeaders) {
  const std::optional<std::size_t> announced = announcedBodyLength(rawHeaders);
  return !announced || body.size() >= *announced;
}

}  // namespace quorvane
