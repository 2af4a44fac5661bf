#include "contact/contact_selected.h"

#include <gtest/gtest.h>

#include "app/contact_status_text.h"
#include "text/encodings.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <random>
#include <vector>

namespace quorvane {
namespace {

const LocalText kContacted = kContactedText;
const LocalText kNotContacted = kNotContactedText;

class FakeSellers : public SelectedSellers {
 public:
  ResultTable grid;
  LocalText list;
  unsigned interval = 200;

  ResultTable& table() override { return grid; }
  LocalText selectionList() const override { return list; }
  void unselect(int row) override {
    const LocalText entry = std::to_string(row) + ",";
    for (size_t at = list.find(entry); at != LocalText::npos; at = list.find(entry, at + 1))
      if (at == 0 || list[at - 1] == ',') {
        list.erase(at, entry.size());
        return;
      }
  }
  unsigned watcherInterval() const override { return interval; }
  void setWatcherInterval(unsigned milliseconds) override { interval = milliseconds; }

  void addRow(int row, const LocalText& id, bool ticked = true) {
    ShopRow shop;
    shop.sellerId = id;
    grid.setShop(row, shop);
    grid.applyStatus(row, {kOnlineText, kNotContacted, RowLook::OnlineNotContacted});
    if (ticked) {
      grid.setTick(row, true);
      list += std::to_string(row) + ",";
    }
  }
};

class FakeHistory : public HistoryStore {
 public:
  LocalText content;
  int loads = 0;
  std::optional<LocalText> savedPrevious, savedEntries;

  LocalText load() override {
    ++loads;
    return content;
  }
  std::optional<ProgramFile::Place> save(const LocalText& previous, const LocalText& newEntries) override {
    savedPrevious = previous;
    savedEntries = newEntries;
    content = previous + newEntries;
    return ProgramFile::Place::BesideExecutable;
  }
};

// The window's wait as the round sees it: each pause between two chats runs
// what the test says the window's events do meanwhile.
class EventsWait : public Wait {
 public:
  std::function<void()> events;
  int pauses = 0;
  std::vector<std::chrono::milliseconds> lengths;  // of every pause, to the millisecond

  End until(const std::function<bool()>& ready, Clock::time_point due) override {
    ++pauses;
    lengths.push_back(std::chrono::round<std::chrono::milliseconds>(due - Clock::now()));
    if (events && !cancelled_) events();
    if (cancelled_) return End::Cancelled;
    return ready() ? End::Ready : End::Due;
  }
  void wake() override {}
  void cancel() override { cancelled_ = true; }
  bool cancelled() const override { return cancelled_; }

 private:
  bool cancelled_ = false;
};

class ContactSelected : public ::testing::Test {
 protected:
  FakeSellers sellers;
  FakeHistory history;
  EventsWait wait;
  std::vector<LocalText> launched;
  std::map<LocalText, platform::ShellOpen> launchResult;  // Opened when not named
  ChatLauncher launcher = [this](const LocalText& url) {
    launched.push_back(url);
    return launchResult.count(url) ? launchResult[url] : platform::ShellOpen::Opened;
  };

  ContactReport contact() { return contactSelectedSellers(sellers, history, launcher, wait); }
  static LocalText chat(const LocalText& id) { return buildChatUrl(id); }
};

TEST_F(ContactSelected, ContactsTheListedRowsInTickingOrderAndNothingElse) {
  sellers.addRow(3, "three");
  sellers.addRow(4, "four", false);
  sellers.addRow(5, "five");
  sellers.list = "5,3,";
  contact();
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("five"), chat("three")}));
  EXPECT_EQ(sellers.grid.text(4, Column::ContactState), kNotContacted);
  EXPECT_EQ(*history.savedEntries, "five\r\nthree\r\n");
}

TEST_F(ContactSelected, MarksEachRowContactedUntickedAndGrey) {
  sellers.addRow(2, "ab_c");
  contact();
  EXPECT_EQ(sellers.grid.text(2, Column::ContactState), kContacted);
  EXPECT_FALSE(sellers.grid.tick(2));
  EXPECT_EQ(sellers.grid.look(2), RowLook::Contacted);
}

// Without a program for "aliim:" nothing happened to those sellers: their
// rows stay ticked, in their ticking order, and keep their look.
TEST_F(ContactSelected, ARowWhoseChatCouldNotBeLaunchedKeepsItsTickAndLookAndIsNotRecorded) {
  sellers.addRow(3, "three");
  sellers.addRow(5, "five");
  sellers.addRow(8, "eight");
  sellers.list = "8,3,5,";
  launchResult = {{chat("eight"), platform::ShellOpen::NoHandler}, {chat("five"), platform::ShellOpen::Failed}};
  const ContactReport report = contact();
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("eight"), chat("three"), chat("five")}));
  for (int row : {5, 8}) {
    EXPECT_TRUE(sellers.grid.tick(row)) << row;
    EXPECT_EQ(sellers.grid.text(row, Column::ContactState), kNotContacted) << row;
    EXPECT_EQ(sellers.grid.look(row), RowLook::OnlineNotContacted) << row;
  }
  EXPECT_FALSE(sellers.grid.tick(3));
  EXPECT_EQ(sellers.grid.text(3, Column::ContactState), kContacted);
  EXPECT_EQ(sellers.list, "8,5,");
  EXPECT_EQ(*history.savedEntries, "three\r\n");
  EXPECT_EQ(report.launches.opened, 1);
  EXPECT_EQ(report.launches.notOpened, 2);
  EXPECT_TRUE(report.launches.noHandler);
  EXPECT_EQ(report.saved, ProgramFile::Place::BesideExecutable);
}

TEST_F(ContactSelected, AppendsTheNewIdsToTheHistoryAsItIsWhenTheRoundEnds) {
  history.content = "old\r\nabc\r\n";
  sellers.addRow(1, "abc");
  sellers.addRow(7, "\xD6\xD0" "a");
  contact();
  EXPECT_EQ(history.loads, 1);
  EXPECT_EQ(*history.savedPrevious, "old\r\nabc\r\n");
  EXPECT_EQ(history.content, "old\r\nabc\r\nabc\r\n\xD6\xD0" "a\r\n");

  // 删除缓存 between two chats: the history stays deleted but for the round's ids.
  sellers.addRow(2, "b");
  sellers.addRow(3, "c");
  sellers.list = "2,3,";
  wait.events = [this] { history.content.clear(); };
  contact();
  EXPECT_EQ(history.content, "b\r\nc\r\n");
}

TEST_F(ContactSelected, EmptySelectionLaunchesNothingButRewritesTheHistoryUnchanged) {
  history.content = "old\r\n";
  contact();
  EXPECT_TRUE(launched.empty());
  EXPECT_EQ(*history.savedPrevious, "old\r\n");
  EXPECT_EQ(*history.savedEntries, "");
}

TEST_F(ContactSelected, EmptiesTheSelectionAfterwards) {
  sellers.addRow(1, "a");
  contact();
  EXPECT_EQ(sellers.list, "");
}

TEST_F(ContactSelected, StartsTheStoppedWatcherButLeavesARunningOneAlone) {
  sellers.interval = 0;
  contact();
  EXPECT_EQ(sellers.interval, 200u);
  sellers.interval = 1000;
  contact();
  EXPECT_EQ(sellers.interval, 1000u);
}

// A row is one seller: a list naming it twice (the selection never does)
// still gets it one chat.
TEST_F(ContactSelected, ContactsARowListedTwiceOnce) {
  sellers.addRow(4, "dup");
  sellers.list = "4,4,";
  contact();
  EXPECT_EQ(launched.size(), 1u);
  EXPECT_EQ(*history.savedEntries, "dup\r\n");
}

TEST_F(ContactSelected, SkipsListPiecesThatAreNoResultRow) {
  sellers.addRow(1, "one");
  sellers.list = "0,x,,-1,10001,99999999999,1,";
  contact();
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("one")}));
  EXPECT_EQ(*history.savedEntries, "one\r\n");
}

TEST_F(ContactSelected, ARowWithoutAnIdOnlyLosesItsTick) {
  sellers.grid.setTick(9, true);
  sellers.list = "9,";
  contact();
  EXPECT_TRUE(launched.empty());
  EXPECT_FALSE(sellers.grid.tick(9));
  EXPECT_EQ(sellers.grid.text(9, Column::ContactState), "");
  EXPECT_EQ(sellers.grid.look(9), RowLook::Cleared);
  EXPECT_EQ(*history.savedEntries, "");
}

// 退出 while the round lets the window's events run between two chats.
TEST_F(ContactSelected, ACancelLaunchesNothingMoreRecordsWhatWasDoneAndKeepsTheRestTicked) {
  sellers.addRow(1, "first");
  sellers.addRow(2, "second");
  sellers.addRow(3, "third");
  wait.events = [this] { wait.cancel(); };
  contact();
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("first")}));
  for (int row : {2, 3}) {
    EXPECT_TRUE(sellers.grid.tick(row)) << row;
    EXPECT_EQ(sellers.grid.text(row, Column::ContactState), kNotContacted) << row;
  }
  EXPECT_EQ(sellers.list, "2,3,");
  EXPECT_EQ(*history.savedEntries, "first\r\n");
}

// Between two chats the window's events run: the user ticks rows, or starts
// a new search that fills the grid again.
TEST_F(ContactSelected, TheWindowsEventsBetweenTwoChatsChangeNeitherTheRoundNorItsRows) {
  sellers.addRow(1, "first");
  sellers.addRow(2, "second");
  sellers.addRow(3, "third");
  sellers.addRow(5, "fifth", false);
  wait.events = [this] {
    if (wait.pauses != 1) return;
    ShopRow other;  // a new search's shop where "second" stood; it empties the selection
    other.sellerId = "other";
    sellers.grid.setShop(2, other);
    sellers.list.clear();
    sellers.grid.setTick(5, true);  // ticked now: the next round's
    sellers.list += "5,";
  };
  contact();
  EXPECT_EQ(wait.pauses, 2);
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("first"), chat("third")}));
  EXPECT_NE(sellers.grid.text(2, Column::ContactState), kContacted);
  EXPECT_EQ(sellers.list, "5,");
  EXPECT_EQ(*history.savedEntries, "first\r\nthird\r\n");
}

// ---- a paced round ----

class PacedRound : public ContactSelected {
 protected:
  std::mt19937 random{7};
  std::vector<int> logged;
  std::vector<std::string> told;
  int today = 0;

  RoundOutcome run(const ContactPace& pace, ContactReport& report) {
    for (int row = 1; row <= 5; ++row) sellers.addRow(row, "s" + std::to_string(row));
    launchResult = {{chat("s3"), platform::ShellOpen::Failed}};
    SelectedSellersRound round(sellers, history, launcher, [this](int row) { logged.push_back(row); });
    const RoundOutcome outcome = runContactRound(
        round, pace, wait, [this] { return today + static_cast<int>(logged.size()); }, random,
        [this](const LocalText& text) { told.push_back(localToUtf8(text)); });
    report = round.finish();
    return outcome;
  }
  std::chrono::milliseconds paused() const {
    std::chrono::milliseconds sum{0};
    for (auto length : wait.lengths) sum += std::max(length, std::chrono::milliseconds(0));
    return sum;
  }
};

// A pause follows each chat that went out while rows are left, none a
// failed launch and none the chat that reaches the limit; it counts down on
// the status line; the rows not reached keep their ticks, the history and
// the log hold exactly the chats.
TEST_F(PacedRound, PausesBetweenLaunchedChatsAndEndsAtTheRoundsLimitWithTheRestStillTicked) {
  ContactReport report;
  EXPECT_EQ(run({2, 4, 3, 0}, report), (RoundOutcome{RoundEnd::RoundLimitReached, 3}));
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("s1"), chat("s2"), chat("s3"), chat("s4")}));
  EXPECT_EQ(logged, (std::vector<int>{1, 2, 4}));
  EXPECT_GE(paused().count(), 2 * 2000 - 10);
  EXPECT_LE(paused().count(), 2 * 4000 + 10);
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(told.front().substr(0, 29), "正在联系 1/5，下一个 ");
  EXPECT_EQ(std::count(told.begin(), told.end(), "正在联系 2/5，下一个 1 秒后"), 1) << "after s2";
  EXPECT_EQ(std::count(told.begin(), told.end(), "正在联系 1/5，下一个 1 秒后"), 1) << "after s1";
  EXPECT_EQ(sellers.list, "3,5,");
  EXPECT_TRUE(sellers.grid.tick(5));
  EXPECT_EQ(history.content, "s1\r\ns2\r\ns4\r\n");
  EXPECT_EQ(report.launches.opened, 3);
}

// 停止 (or closing the window) cancels the wait in the middle of a pause.
TEST_F(PacedRound, ACancelDuringAPauseEndsTheRoundBeforeTheNextChat) {
  wait.events = [this] {
    if (std::count(wait.lengths.begin(), wait.lengths.end(), std::chrono::seconds(1)) == 2) wait.cancel();
  };
  ContactReport report;
  EXPECT_EQ(run({1, 1, 0, 0}, report), (RoundOutcome{RoundEnd::Stopped, 2}));
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("s1"), chat("s2")}));
  EXPECT_EQ(logged, (std::vector<int>{1, 2}));
  EXPECT_EQ(sellers.list, "3,4,5,");
  EXPECT_EQ(history.content, "s1\r\ns2\r\n");
}

TEST_F(PacedRound, TheDailyLimitCountsTheAccountsChatsOfTodayBeforeEachOne) {
  today = 8;
  ContactReport report;
  EXPECT_EQ(run({0, 0, 0, 10}, report), (RoundOutcome{RoundEnd::DailyLimitReached, 2}));
  EXPECT_EQ(paused().count(), 0) << "no pause without a pause length";
  EXPECT_EQ(logged, (std::vector<int>{1, 2}));
  EXPECT_EQ(sellers.list, "3,4,5,");
  today = 10;
  logged.clear();
  EXPECT_EQ(run({0, 0, 0, 10}, report).launched, 0) << "a limit reached before the round launches nothing";
}

}  // namespace
}  // namespace quorvane

namespace quorvane {
namespace {

std::string utf8(const LocalText& text) { return localToUtf8(text); }

TEST(ContactStatusText, SaysHowManyChatsOpenedWhyOthersDidNotAndWhereTheHistoryWent) {
  EXPECT_EQ(utf8(chatLaunchesText({3, 0, false})), "已打开 3 个聊天");
  EXPECT_EQ(utf8(chatLaunchesText({0, 2, true})), "2 个未能打开：未找到处理 aliim: 链接的程序，请先安装并登录客户端");
  EXPECT_EQ(utf8(chatLaunchesText({1, 1, false})), "已打开 1 个聊天，1 个未能打开：系统未能打开聊天链接");
  EXPECT_EQ(utf8(chatLaunchesText({})), "没有打勾的行");
  EXPECT_EQ(utf8(contactRoundText({{1, 0, false}, ProgramFile::Place::PerUser}, LocalText("C:\\u\\data.txt"))),
            "已打开 1 个聊天；联系记录保存在 C:\\u\\data.txt");
  EXPECT_EQ(utf8(contactRoundText({{1, 0, false}, std::nullopt}, std::nullopt)), "已打开 1 个聊天；联系记录未能保存");
  EXPECT_EQ(utf8(batchRoundText({})), "批量联系：已打开 0 个聊天");
}

}  // namespace
}  // namespace quorvane
