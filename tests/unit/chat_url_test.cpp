#include "contact/chat_url.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(ChatUrl, PutsTheIdDirectlyAfterCntaobaoWithUnderscoreEscaped) {
  EXPECT_EQ(buildChatUrl("ab_c"), "aliim:sendmsg?&touid=cntaobaoab%5Fc&siteid=cntaobao&status=2&portalId=1&gid=1");
}

TEST(ChatUrl, SendsChineseIdsInUtf8) {
  EXPECT_EQ(buildChatUrl("\xD6\xD0" "a"),
            "aliim:sendmsg?&touid=cntaobao%E4%B8%ADa&siteid=cntaobao&status=2&portalId=1&gid=1");
}

TEST(ChatUrl, KeepsLettersDigitsAndCommaDashDotSlashButEscapesSpaces) {
  EXPECT_EQ(buildChatUrl("a 1,-./Z"),
            "aliim:sendmsg?&touid=cntaobaoa%201,-./Z&siteid=cntaobao&status=2&portalId=1&gid=1");
}

TEST(ChatUrl, EscapesEverythingThatCouldEndTheQueryOrTheArgument) {
  EXPECT_EQ(buildChatUrl("a&b=\"c"),
            "aliim:sendmsg?&touid=cntaobaoa%26b%3D%22c&siteid=cntaobao&status=2&portalId=1&gid=1");
}

}  // namespace
}  // namespace quorvane
