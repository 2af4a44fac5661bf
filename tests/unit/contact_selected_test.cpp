#include "contact/contact_selected.h"

#include <gtest/gtest.h>

#include "app/contact_status_text.h"
#include "text/encodings.h"

#include <map>
#include <optional>
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
  int resets = 0;

  ResultTable& table() override { return grid; }
  LocalText selectionList() const override { return list; }
  void resetSelection() override {
    list.clear();
    ++resets;
  }
  void selectAgain(int row) override { list += std::to_string(row) + ","; }
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

  End until(const std::function<bool()>& ready, Clock::time_point) override {
    ++pauses;
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

TEST_F(ContactSelected, EmptySelectionLaunchesNothingButResetsAndRewritesTheHistoryUnchanged) {
  history.content = "old\r\n";
  contact();
  EXPECT_TRUE(launched.empty());
  EXPECT_EQ(sellers.resets, 1);
  EXPECT_EQ(*history.savedPrevious, "old\r\n");
  EXPECT_EQ(*history.savedEntries, "");
}

TEST_F(ContactSelected, EmptiesTheSelectionAfterwards) {
  sellers.addRow(1, "a");
  contact();
  EXPECT_EQ(sellers.resets, 1);
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

TEST_F(ContactSelected, ContactsARowTickedTwiceTwiceAndRecordsItTwice) {
  sellers.addRow(4, "dup");
  sellers.list = "4,4,";
  contact();
  EXPECT_EQ(launched.size(), 2u);
  EXPECT_EQ(*history.savedEntries, "dup\r\ndup\r\n");
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
    sellers.grid.setTick(5, true);  // ticked now: the next round's
    sellers.list += "5,";
    ShopRow other;  // a new search's shop where "second" stood
    other.sellerId = "other";
    sellers.grid.setShop(2, other);
  };
  contact();
  EXPECT_EQ(wait.pauses, 2);
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("first"), chat("third")}));
  EXPECT_NE(sellers.grid.text(2, Column::ContactState), kContacted);
  EXPECT_EQ(sellers.list, "5,");
  EXPECT_EQ(*history.savedEntries, "first\r\nthird\r\n");
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
