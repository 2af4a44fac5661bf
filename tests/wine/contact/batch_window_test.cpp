// The batch-id window in this process, with the presence lookup and the chat
// launcher recorded: its layout, its round of contacts, what closing it or
// another wait of the thread does to a round, and its timers against the
// stand-in IM client.
#include <gtest/gtest.h>

#include "app/window/batch_id_window.h"
#include "app/window/window_text.h"
#include "contact/chat_url.h"
#include "standins.h"

namespace quorvane {
namespace {

using testing::imClient;
using Lines = std::vector<std::string>;
using C = BatchIdWindow::Control;

const std::string kChooserTitle =
    "\xC7\xEB\xD1\xA1\xD4\xF1\xD2\xD1\xB5\xC7\xC2\xBC\xB5\xC4\xB0\xA2\xC0\xEF\xCD\xFA\xCD\xFA\xD5\xCA\xBA\xC5";
const std::string kSuffix = "[\xCC\xD4\xB1\xA6\xCD\xF8]";           // [淘宝网]
const std::string kAddFriend = "\xCC\xED\xBC\xD3\xBA\xC3\xD3\xD1";   // 添加好友
const std::string kClientDialog = "\xB0\xA2\xC0\xEF\xCD\xFA\xCD\xFA";  // 阿里旺旺

class BatchWindow : public ::testing::Test {
 protected:
  std::map<LocalText, LocalText> status;
  Lines looked, launched;
  std::function<void(const LocalText&)> duringLookup;
  std::vector<ChatLaunches> rounds;  // what each round that ended reported
  std::vector<RoundEnd> ends;        // and why it ended
  ContactPace pace;                  // as 设置 has it
  std::vector<LocalText> told;       // the status line during pauses
  std::function<void()> duringPause;
  // The thread's waits, as the main window holds them.
  WindowWaits waits{{}, [this](bool waiting) { batch.setWaiting(waiting); }};
  BatchIdWindow batch{waits, services()};

  static void SetUpTestSuite() { BatchIdWindow::registerWindowClass(GetModuleHandleW(nullptr)); }
  void SetUp() override { imClient().reset(); }
  void TearDown() override {
    batch.close();
    testing::closeStandinWindows();
    imClient().reset();
  }

  BatchIdWindowServices services() {
    BatchIdWindowServices services;
    services.selectedAccount = [] { return LocalText("alice"); };
    services.presence = [this](const LocalText& id, Wait&) {
      looked.push_back(id);
      if (duringLookup) duringLookup(id);
      return status[id];
    };
    services.launch = [this](const LocalText& url) {
      launched.push_back(url);
      return url == buildChatUrl("  ") ? platform::ShellOpen::NoHandler : platform::ShellOpen::Opened;
    };
    services.roundEnded = [this](const ChatLaunches& launches, RoundEnd end) {
      rounds.push_back(launches);
      ends.push_back(end);
    };
    services.pace = [this] { return pace; };
    services.tell = [this](const LocalText& text) {
      told.push_back(text);
      if (duringPause) duringPause();
    };
    return services;
  }
  HWND open() {
    batch.open(GetModuleHandleW(nullptr));
    return batch.handle();
  }
  static HWND item(HWND window, C c) { return GetDlgItem(window, 100 + static_cast<int>(c)); }
  static void clickButton(HWND window, C c) { SendMessageW(item(window, c), BM_CLICK, 0, 0); }
  static RECT placeOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  static void expectPlace(HWND control, int left, int top, int width, int height) {
    RECT r = placeOf(control);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
  }
};

TEST_F(BatchWindow, OpensWithItsCaptionControlsAndTheAutoCloseBoxTicked) {
  HWND window = open();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(windowText(window), "\xC5\xFA\xC1\xBF\xCD\xFA\xCD\xFAID");
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, 50);
  EXPECT_EQ(frame.top, 50);
  EXPECT_EQ(frame.right - frame.left, 392);
  EXPECT_EQ(frame.bottom - frame.top, 427);
  RECT client{};
  GetClientRect(window, &client);
  expectPlace(item(window, C::编辑框1), 0, 0, client.right, 352);  // across the client area, whatever the frame
  expectPlace(item(window, C::按钮1), 12, 361, 97, 29);
  expectPlace(item(window, C::清除), 139, 361, 97, 29);
  expectPlace(item(window, C::选择框1), 256, 368, 120, 16);
  EXPECT_EQ(windowText(item(window, C::按钮1)), "\xC1\xAA\xCF\xB5");
  EXPECT_EQ(windowText(item(window, C::清除)), "\xC7\xE5\xB3\xFD");
  EXPECT_EQ(windowText(item(window, C::选择框1)), "\xD7\xD4\xB6\xAF\xB9\xD8\xB1\xD5" + kAddFriend);
  EXPECT_EQ(SendMessageW(item(window, C::选择框1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(GetWindowLongW(item(window, C::编辑框1), GWL_STYLE) & ES_MULTILINE);
  EXPECT_TRUE(GetWindowLongW(item(window, C::编辑框1), GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
}

TEST_F(BatchWindow, OpeningItAgainBringsTheOpenOneForward) {
  HWND first = open();
  setWindowText(item(first, C::编辑框1), "kept");
  EXPECT_EQ(open(), first);
  EXPECT_EQ(batch.handle(), first);
  EXPECT_EQ(windowText(item(first, C::编辑框1)), "kept");
  EXPECT_TRUE(IsWindowVisible(first));
}

TEST_F(BatchWindow, ContactLooksUpEachListedIdAndChatsWithTheOnlineOnes) {
  HWND window = open();
  status = {{"a", "1"}, {"b", "0"}, {"  ", "1"}};
  setWindowText(item(window, C::编辑框1), "a\r\n\r\nb\r\n  \r\n");
  clickButton(window, C::按钮1);
  EXPECT_EQ(looked, (Lines{"a", "b", "  "}));
  EXPECT_EQ(launched, (Lines{buildChatUrl("a"), buildChatUrl("  ")}));
  EXPECT_EQ(windowText(item(window, C::编辑框1)), "a\r\n\r\nb\r\n  \r\n");
  ASSERT_EQ(rounds.size(), 1u) << "the round tells how its launches went";
  EXPECT_EQ(rounds[0].opened, 1);
  EXPECT_EQ(rounds[0].notOpened, 1);
  EXPECT_TRUE(rounds[0].noHandler);
}

// A 10 s pause after each chat; "联系" reads "停止" during the round, and a
// click on it ends the round in the pause: the next id is not even looked up.
TEST_F(BatchWindow, APacedRoundIsStoppedInItsPauseByItsOwnButton) {
  HWND window = open();
  pace = {10, 10, 0, 0};
  status = {{"a", "1"}, {"b", "1"}};
  setWindowText(item(window, C::编辑框1), "a\r\nb");
  std::string captionInPause;
  duringPause = [&] {
    if (!captionInPause.empty()) return;
    captionInPause = windowText(item(window, C::按钮1));
    EXPECT_TRUE(IsWindowEnabled(item(window, C::按钮1)));
    PostMessageW(item(window, C::按钮1), BM_CLICK, 0, 0);
  };
  const ULONGLONG start = GetTickCount64();
  clickButton(window, C::按钮1);
  EXPECT_LT(GetTickCount64() - start, 5000u) << "the stop ended the pause";
  EXPECT_EQ(captionInPause, "\xCD\xA3\xD6\xB9");  // 停止
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(told.front(), "\xD5\xFD\xD4\xDA\xC1\xAA\xCF\xB5 1/2\xA3\xAC\xCF\xC2\xD2\xBB\xB8\xF6 10 \xC3\xEB\xBA\xF3");  // 正在联系 1/2，下一个 10 秒后
  EXPECT_EQ(looked, (Lines{"a"}));
  EXPECT_EQ(launched, (Lines{buildChatUrl("a")}));
  EXPECT_EQ(ends, (std::vector<RoundEnd>{RoundEnd::Stopped}));
  EXPECT_EQ(windowText(item(window, C::按钮1)), "\xC1\xAA\xCF\xB5");  // 联系 again
}

TEST_F(BatchWindow, ClearEmptiesTheListAndNothingElse) {
  HWND window = open();
  setWindowText(item(window, C::编辑框1), "a\r\nb");
  clickButton(window, C::清除);
  EXPECT_EQ(windowText(item(window, C::编辑框1)), "");
  EXPECT_TRUE(looked.empty());
  EXPECT_EQ(SendMessageW(item(window, C::选择框1), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(BatchWindow, ASecondClickDuringARoundStartsNoSecondRound) {
  HWND window = open();
  status = {{"a", "1"}, {"b", "1"}};
  setWindowText(item(window, C::编辑框1), "a\r\nb");
  duringLookup = [&](const LocalText&) { clickButton(window, C::按钮1); };
  clickButton(window, C::按钮1);
  EXPECT_EQ(looked, (Lines{"a", "b"}));
  EXPECT_EQ(launched.size(), 2u);
}

TEST_F(BatchWindow, ClosedDuringAPresenceCheckItGoesAtOnceAndTheRoundLaunchesNothing) {
  HWND window = open();
  status = {{"a", "1"}, {"b", "1"}};
  setWindowText(item(window, C::编辑框1), "a\r\nb");
  duringLookup = [&](const LocalText&) {
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
  };
  clickButton(window, C::按钮1);
  EXPECT_EQ(looked, (Lines{"a"}));
  EXPECT_TRUE(launched.empty()) << "launched on the answer of a window already closed";
  EXPECT_EQ(batch.handle(), nullptr);
  EXPECT_TRUE(rounds.empty()) << "a round cut short by closing tells nothing";
  EXPECT_FALSE(waits.waiting());
  EXPECT_NE(open(), nullptr) << "and it opens again";
}

TEST_F(BatchWindow, WhileAnotherWaitRunsContactIsDisabledAndAClickStartsNoRound) {
  HWND window = open();
  status = {{"a", "1"}};
  setWindowText(item(window, C::编辑框1), "a");
  {
    const std::unique_ptr<WindowWait> other = waits.begin(nullptr);  // the main window's shop lookup
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(IsWindowEnabled(item(window, C::按钮1)));
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(100 + static_cast<int>(C::按钮1), BN_CLICKED),
                 reinterpret_cast<LPARAM>(item(window, C::按钮1)));
    EXPECT_TRUE(looked.empty());
  }
  EXPECT_TRUE(IsWindowEnabled(item(window, C::按钮1)));
  clickButton(window, C::按钮1);
  EXPECT_EQ(launched, Lines{buildChatUrl("a")});
}

TEST_F(BatchWindow, ItsChooserTimerAnswersTheAccountChooser) {
  open();
  imClient().show("chooser\tbob" + kSuffix + "\talice" + kSuffix + "\tAlice" + kSuffix + "\talice\r\n");
  testing::startImClient();
  ASSERT_TRUE(imClient().waitForEvents(1));
  EXPECT_EQ(imClient().events().front(), "chose 1 alice" + kSuffix);
}

TEST_F(BatchWindow, ItsAddFriendTimerClosesTheDialogsOnlyWhileTheBoxIsTicked) {
  HWND window = open();
  SendMessageW(item(window, C::选择框1), BM_CLICK, 0, 0);
  imClient().show("dialog\t" + kAddFriend + "\r\ndialog\t" + kClientDialog + "\r\ndialog\t" + kAddFriend +
                  "\r\nwindow\t" + kAddFriend + "\r\n");
  testing::startImClient();
  ASSERT_NE(testing::waitForWindow(L"StandinImFrame", kAddFriend), nullptr);
  testing::waitFor([] { return false; }, 1000);  // five ticks with the box unticked
  EXPECT_TRUE(imClient().events().empty());
  SendMessageW(item(window, C::选择框1), BM_CLICK, 0, 0);
  ASSERT_TRUE(imClient().waitForEvents(3));
  Lines closed = imClient().events();
  std::sort(closed.begin(), closed.end());
  EXPECT_EQ(closed, (Lines{"closed 1 dialog " + kAddFriend, "closed 2 dialog " + kClientDialog,
                           "closed 3 dialog " + kAddFriend}));
  EXPECT_NE(FindWindowW(L"StandinImFrame", testing::wide(kAddFriend).c_str()), nullptr);
}

}  // namespace
}  // namespace quorvane
