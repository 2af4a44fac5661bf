// The platform side of contacting, against the stand-in IM client and
// browser in other processes: shell launches, reading and answering the
// account chooser, closing add-friend dialogs, the posted click.
#include <gtest/gtest.h>

#include "contact/dialog_automation.h"
#include "platform/im_client_windows.h"
#include "platform/shell.h"
#include "standins.h"

namespace quorvane {
namespace {

using testing::browser;
using testing::imClient;
using Lines = std::vector<std::string>;

const std::string kChooserTitle =
    "\xC7\xEB\xD1\xA1\xD4\xF1\xD2\xD1\xB5\xC7\xC2\xBC\xB5\xC4\xB0\xA2\xC0\xEF\xCD\xFA\xCD\xFA\xD5\xCA\xBA\xC5";
const std::string kSuffix = "[\xCC\xD4\xB1\xA6\xCD\xF8]";           // [淘宝网]
const std::string kAddFriend = "\xCC\xED\xBC\xD3\xBA\xC3\xD3\xD1";   // 添加好友
const std::string kClientDialog = "\xB0\xA2\xC0\xEF\xCD\xFA\xCD\xFA";  // 阿里旺旺
const std::string kChinese = "\xD6\xD0" "a";                        // 中a

class WithStandins : public ::testing::Test {
 protected:
  void SetUp() override {
    imClient().reset();
    browser().reset();
  }
  void TearDown() override {
    testing::closeStandinWindows();
    imClient().reset();
    browser().reset();
  }
};

using ShellLaunch = WithStandins;

TEST_F(ShellLaunch, HandsChatLinksToTheImClientByteForByteAndInOrder) {
  const Lines urls = {
      "aliim:sendmsg?&touid=cntaobaoab%5Fc&siteid=cntaobao&status=2&portalId=1&gid=1",
      "aliim:sendmsg?&touid=cntaobao%E4%B8%ADa&siteid=cntaobao&status=2&portalId=1&gid=1",
      "aliim:sendmsg?&touid=cntaobaoa%20b&siteid=cntaobao&status=2&portalId=1&gid=1",
  };
  for (const std::string& url : urls) platform::shellOpen(url);
  ASSERT_TRUE(imClient().waitForLaunches(urls.size()));
  EXPECT_EQ(imClient().launches(), urls);
}

TEST_F(ShellLaunch, OpensWebAddressesInTheDefaultBrowser) {
  platform::shellOpen("https://x/y?a=%20");
  ASSERT_TRUE(browser().waitForLaunches(1));
  EXPECT_EQ(browser().launches(), Lines{"https://x/y?a=%20"});
}

class AccountChooser : public WithStandins, public ::testing::WithParamInterface<const char*> {
 protected:
  void showChooser() {
    imClient().show(std::string(GetParam()) + "\tbob" + kSuffix + "\talice" + kSuffix + "\tAlice" + kSuffix +
                    "\talice\t" + kChinese + kSuffix + "\r\n");
    testing::startImClient();
    ASSERT_NE(testing::waitForWindow(L"#32770", kChooserTitle), nullptr);
  }
};

TEST_P(AccountChooser, ItemsReadAcrossProcessesAsLocalText) {
  showChooser();
  platform::ImClientWindows& windows = platform::desktopWindows();
  platform::WindowId chooser = windows.findTopLevel("#32770", kChooserTitle);
  platform::WindowId list = windows.dialogItem(chooser, 201);
  ASSERT_EQ(windows.listBoxCount(list), 5);
  EXPECT_EQ(windows.listBoxItemText(list, 0), "bob" + kSuffix);
  EXPECT_EQ(windows.listBoxItemText(list, 3), "alice");
  EXPECT_EQ(windows.listBoxItemText(list, 4), kChinese + kSuffix);
  EXPECT_EQ(windows.listBoxItemText(list, 5), "");
}

TEST_P(AccountChooser, IsAnsweredWithTheSelectedAccountAndItsOkClicked) {
  showChooser();
  answerAccountChooser(platform::desktopWindows(), "alice");
  ASSERT_TRUE(imClient().waitForEvents(2));
  EXPECT_EQ(imClient().events(), (Lines{"chose 1 alice" + kSuffix, "closed 1 " + std::string(GetParam()) + " " +
                                                                         kChooserTitle}));
}

TEST_P(AccountChooser, MatchesAChineseAccount) {
  showChooser();
  answerAccountChooser(platform::desktopWindows(), kChinese);
  ASSERT_TRUE(imClient().waitForEvents(1));
  EXPECT_EQ(imClient().events().front(), "chose 4 " + kChinese + kSuffix);
}

INSTANTIATE_TEST_SUITE_P(UnicodeAndAnsiListBoxes, AccountChooser, ::testing::Values("chooser", "chooser-ansi"));

class AddFriendDialogs : public WithStandins {
 protected:
  void SetUp() override {
    WithStandins::SetUp();
    imClient().show("dialog\t" + kAddFriend + "\r\nwindow\t" + kAddFriend + "\r\ndialog\t" + kAddFriend +
                    "\r\ndialog\t" + kClientDialog + "\r\n");
    testing::startImClient();
    ASSERT_TRUE(testing::waitFor([] {
      return testing::waitForWindow(L"#32770", kClientDialog) && testing::waitForWindow(L"StandinImFrame", kAddFriend);
    }));
  }
  static bool frameOpen() { return FindWindowW(L"StandinImFrame", testing::wide(kAddFriend).c_str()) != nullptr; }
};

TEST_F(AddFriendDialogs, CloseOneDialogOfEachTitlePerTickAndLeaveOtherClassesAlone) {
  closeAddFriendDialogs(platform::desktopWindows(), true);
  ASSERT_TRUE(imClient().waitForEvents(2));
  Lines first = imClient().events();
  std::sort(first.begin(), first.end());
  // The dialog shown last is on top, so it is found first.
  EXPECT_EQ(first, (Lines{"closed 3 dialog " + kAddFriend, "closed 4 dialog " + kClientDialog}));
  closeAddFriendDialogs(platform::desktopWindows(), true);
  ASSERT_TRUE(imClient().waitForEvents(3));
  EXPECT_EQ(imClient().events().back(), "closed 1 dialog " + kAddFriend);
  closeAddFriendDialogs(platform::desktopWindows(), true);
  EXPECT_TRUE(frameOpen());
  EXPECT_EQ(imClient().events().size(), 3u);
}

TEST_F(AddFriendDialogs, StayWhileAutoCloseIsUnticked) {
  closeAddFriendDialogs(platform::desktopWindows(), false);
  EXPECT_TRUE(imClient().events().empty());
  EXPECT_NE(FindWindowW(L"#32770", testing::wide(kAddFriend).c_str()), nullptr);
  EXPECT_NE(FindWindowW(L"#32770", testing::wide(kClientDialog).c_str()), nullptr);
}

// A window of this process that records the mouse messages it receives.
class MouseRecorder {
 public:
  MouseRecorder() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuorvaneMouseRecorder";
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~MouseRecorder() { DestroyWindow(window_); }
  HWND window() const { return window_; }
  Lines seen;

 private:
  static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<MouseRecorder*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (self && m >= WM_MOUSEFIRST && m <= WM_MOUSELAST)
      self->seen.push_back(std::to_string(m) + " " + std::to_string(wp) + " " + std::to_string(lp));
    return DefWindowProcW(w, m, wp, lp);
  }
  HWND window_;
};

TEST(PostedClick, IsMoveDownUpAtTwoTwoWithTheButtonFlags) {
  MouseRecorder recorder;
  platform::desktopWindows().postLeftClick(reinterpret_cast<platform::WindowId>(recorder.window()));
  testing::waitFor([&] { return recorder.seen.size() >= 3; }, 3000);
  const std::string point = std::to_string(2 * 65536 + 2);
  EXPECT_EQ(recorder.seen, (Lines{"512 2 " + point, "513 1 " + point, "514 0 " + point}));
}

}  // namespace
}  // namespace quorvane
