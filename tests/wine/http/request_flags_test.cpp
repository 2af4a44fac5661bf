// The request options as WinInet flags: the values every request has been
// opened with, now taken from <wininet.h>.
#include <gtest/gtest.h>

#include "platform/win32/wininet_request_flags.h"
#include "web/request_options.h"

namespace quorvane {
namespace {

using platform::wininetRequestFlags;

TEST(WinInetRequestFlags, DefaultsForHttpAndHttps) {
  EXPECT_EQ(wininetRequestFlags(requestOptions("http://h/", false)), 0x80084010u);
  EXPECT_EQ(wininetRequestFlags(requestOptions("https://h/", false)), 0x80880010u);
  EXPECT_EQ(wininetRequestFlags(requestOptions("h/x", false)), 0x80084010u);
}

TEST(WinInetRequestFlags, NoRedirectAddsItsFlag) {
  EXPECT_EQ(wininetRequestFlags(requestOptions("http://h/", true)), 0x80284010u);
  EXPECT_EQ(wininetRequestFlags(requestOptions("HTTPS://h/", true)), 0x80A80010u);
}

}  // namespace
}  // namespace quorvane
