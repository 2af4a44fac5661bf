#include "contact/contact_selected.h"

#include <gtest/gtest.h>

#include "app/contact_status_text.h"
#include "text/encodings.h"

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

class ContactSelected : public ::testing::Test {
 protected:
  FakeSellers sellers;
  FakeHistory history;
  std::vector<LocalText> launched;
  std::map<LocalText, platform::ShellOpen> launchResult;  // Opened when not named
  ChatLauncher launcher = [this](const LocalText& url) {
    launched.push_back(url);
    return launchResult.count(url) ? launchResult[url] : platform::ShellOpen::Opened;
  };

  ContactReport contact(const std::function<bool()>& stop = {}) {
    return contactSelectedSellers(sellers, history, launcher, stop);
  }
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

TEST_F(ContactSelected, AppendsTheNewIdsToTheHistoryLoadedOnceAtTheStart) {
  history.content = "old\r\nabc\r\n";
  sellers.addRow(1, "abc");
  sellers.addRow(7, "\xD6\xD0" "a");
  contact();
  EXPECT_EQ(history.loads, 1);
  EXPECT_EQ(*history.savedPrevious, "old\r\nabc\r\n");
  EXPECT_EQ(history.content, "old\r\nabc\r\nabc\r\n\xD6\xD0" "a\r\n");
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

TEST_F(ContactSelected, AStopLeavesTheRemainingRowsTickedAndUncontactedAndRecordsTheRest) {
  sellers.addRow(1, "first");
  sellers.addRow(2, "second");
  contact([this] { return !launched.empty(); });
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("first")}));
  EXPECT_TRUE(sellers.grid.tick(2));
  EXPECT_EQ(sellers.list, "2,");
  EXPECT_EQ(sellers.grid.text(2, Column::ContactState), kNotContacted);
  EXPECT_EQ(*history.savedEntries, "first\r\n");
}

// ---- a paced round ----

class FakePauses : public RoundPauses {
 public:
  std::vector<std::chrono::milliseconds> pauses;
  std::vector<LocalText> told;
  size_t stopInPause = 0;  // the pause (from 1) during which 停止 comes; 0 for none
  std::function<void(const LocalText&)> tell = [this](const LocalText& text) { told.push_back(text); };

  bool pause(std::chrono::milliseconds length, const std::function<void(int)>& secondsLeft) override {
    pauses.push_back(length);
    secondsLeft(static_cast<int>((length.count() + 999) / 1000));
    return pauses.size() != stopInPause;
  }
  bool stopRequested() const override { return stopInPause != 0 && pauses.size() >= stopInPause; }
};

class PacedRound : public ContactSelected {
 protected:
  FakePauses pauses;
  std::mt19937 random{7};
  std::vector<int> logged;
  int today = 0;

  RoundOutcome run(const ContactPace& pace, ContactReport& report) {
    for (int row = 1; row <= 5; ++row) sellers.addRow(row, "s" + std::to_string(row));
    launchResult = {{chat("s3"), platform::ShellOpen::Failed}};
    SelectedSellersRound round(sellers, history, launcher, [this](int row) { logged.push_back(row); });
    const RoundOutcome outcome =
        runContactRound(round, pace, pauses, [this] { return today + static_cast<int>(logged.size()); }, random, pauses.tell);
    report = round.finish();
    return outcome;
  }
};

// A pause follows each chat that went out while rows are left, none a
// failed launch and none the chat that reaches the limit; the rows not
// reached keep their ticks, the history and the log hold exactly the chats.
TEST_F(PacedRound, PausesBetweenLaunchedChatsAndEndsAtTheRoundsLimitWithTheRestStillTicked) {
  ContactReport report;
  EXPECT_EQ(run({2, 4, 3, 0}, report), (RoundOutcome{RoundEnd::RoundLimitReached, 3}));
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("s1"), chat("s2"), chat("s3"), chat("s4")}));
  EXPECT_EQ(logged, (std::vector<int>{1, 2, 4}));
  ASSERT_EQ(pauses.pauses.size(), 2u) << "after s1 and s2; s3 failed, s4 reached the limit";
  for (auto pause : pauses.pauses) EXPECT_TRUE(pause.count() >= 2000 && pause.count() <= 4000) << pause.count();
  EXPECT_EQ(pauses.told.size(), 2u);
  EXPECT_EQ(localToUtf8(pauses.told.front()).substr(0, 29), "正在联系 1/5，下一个 ");
  EXPECT_EQ(sellers.list, "3,5,");
  EXPECT_TRUE(sellers.grid.tick(5));
  EXPECT_EQ(history.content, "s1\r\ns2\r\ns4\r\n");
  EXPECT_EQ(report.launches.opened, 3);
}

TEST_F(PacedRound, AStopDuringAPauseEndsTheRoundBeforeTheNextChat) {
  pauses.stopInPause = 2;
  ContactReport report;
  EXPECT_EQ(run({1, 1, 0, 0}, report), (RoundOutcome{RoundEnd::Stopped, 2}));
  EXPECT_EQ(launched, (std::vector<LocalText>{chat("s1"), chat("s2")}));
  EXPECT_EQ(sellers.list, "3,4,5,");
  EXPECT_EQ(history.content, "s1\r\ns2\r\n");
  EXPECT_EQ(pauses.pauses, (std::vector<std::chrono::milliseconds>{std::chrono::seconds(1), std::chrono::seconds(1)}));
}

TEST_F(PacedRound, TheDailyLimitCountsTheAccountsChatsOfTodayBeforeEachOne) {
  today = 8;
  ContactReport report;
  EXPECT_EQ(run({0, 0, 0, 10}, report), (RoundOutcome{RoundEnd::DailyLimitReached, 2}));
  EXPECT_TRUE(pauses.pauses.empty()) << "no pause without a pause length";
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
