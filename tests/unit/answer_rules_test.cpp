// When an answer counts as whole, and how long a request may go without one.
#include <gtest/gtest.h>

#include <limits>

#include "web/response_reading.h"
#include "web/stall_limit.h"

namespace quorvane {
namespace {

using namespace std::chrono_literals;

TEST(AnnouncedBodyLength, TheFirstContentLengthLineInAnyLetterCase) {
  EXPECT_EQ(announcedBodyLength("HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\n"), 12u);
  EXPECT_EQ(announcedBodyLength("HTTP/1.1 200 OK\r\ncontent-LENGTH:7\r\nContent-Length: 9\r\n\r\n"), 7u);
  EXPECT_EQ(announcedBodyLength("HTTP/1.1 200 OK\r\n  Content-Length :  0  \r\n\r\n"), 0u);
}

TEST(AnnouncedBodyLength, NoneWithoutALineWithATransferEncodingOrForNoNumber) {
  EXPECT_EQ(announcedBodyLength("HTTP/1.1 200 OK\r\nServer: x\r\n\r\n"), std::nullopt);
  EXPECT_EQ(announcedBodyLength("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nTransfer-Encoding: chunked\r\n\r\n"),
            std::nullopt);
  EXPECT_EQ(announcedBodyLength("HTTP/1.1 200 OK\r\nContent-Length: 5x\r\n\r\n"), std::nullopt);
  EXPECT_EQ(announcedBodyLength("HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\n"), std::nullopt);
  EXPECT_EQ(announcedBodyLength("HTTP/1.1 200 OK\r\nContent-Length:\r\n\r\n"), std::nullopt);
  EXPECT_EQ(announcedBodyLength("HTTP/1.1 200 OK\r\nX-Content-Length: 5\r\n\r\n"), std::nullopt);
  EXPECT_EQ(announcedBodyLength(LocalText(5000, ' ')), std::nullopt) << "headers that were not read";
}

TEST(AnnouncedBodyLength, AnEndlessNumberAnnouncesMoreThanAnyBody) {
  const auto length = announcedBodyLength("HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999999999\r\n\r\n");
  EXPECT_EQ(length, std::numeric_limits<std::size_t>::max());
  EXPECT_FALSE(isWholeBody(ByteArray(100, 'x'), "HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999999\r\n\r\n"));
}

TEST(StallLimit, ThirtySecondsUnlessATestAsksForLess) {
  EXPECT_EQ(kStallLimit, 30s);
  EXPECT_EQ(stallLimitFromText(""), 30s);
  EXPECT_EQ(stallLimitFromText("1500"), 1500ms);
  EXPECT_EQ(stallLimitFromText("30000"), 30s);
  EXPECT_EQ(stallLimitFromText("30001"), 30s) << "never longer";
  EXPECT_EQ(stallLimitFromText("0"), 30s);
  EXPECT_EQ(stallLimitFromText("-5"), 30s);
  EXPECT_EQ(stallLimitFromText("2s"), 30s);
  EXPECT_EQ(stallLimitFromText("99999999999999999999"), 30s);
}

}  // namespace
}  // namespace quorvane
