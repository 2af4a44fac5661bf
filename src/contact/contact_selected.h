#pragma once
// Contacting the sellers of the ticked grid rows: one chat per row in ticking
// order, each row whose chat was launched marked "已联系" and greyed, its id
// added to the history. A row whose chat could not be launched keeps its
// tick and its look and is not recorded: nothing happened to that seller.
// Rows the round has not reached (it was stopped, or a limit ended it) keep
// their ticks.
#include <functional>
#include <optional>
#include <vector>

#include "contact/chat_url.h"
#include "contact/paced_round.h"
#include "contact/program_file.h"
#include "results/result_table.h"
#include "text/text.h"
#include "wait/wait.h"

namespace quorvane {

// What contacting the ticked rows needs of the main window.
class SelectedSellers {
 public:
  virtual ~SelectedSellers() = default;
  virtual ResultTable& table() = 0;
  virtual LocalText selectionList() const = 0;  // "7,3," for rows 7 then 3
  // Takes a row's entry out of the selection (its tick is the table's).
  virtual void unselect(int row) = 0;
  virtual unsigned watcherInterval() const = 0;  // 时钟1, the account-chooser watcher
  virtual void setWatcherInterval(unsigned milliseconds) = 0;
};

// The contact history file, read whole at the start and rewritten whole.
class HistoryStore {
 public:
  virtual ~HistoryStore() = default;
  virtual LocalText load() = 0;
  // Where the history landed; nothing when it could not be written.
  virtual std::optional<ProgramFile::Place> save(const LocalText& previous, const LocalText& newEntries) = 0;
};

constexpr unsigned kWatcherIntervalMs = 200;

struct ContactReport {
  ChatLaunches launches;
  std::optional<ProgramFile::Place> saved;  // where the history went; nothing: it was not written
};

// 联系选中's round, one ticked row a step. The round takes the selection's
// rows at the start and takes each row out of it once contacted: a row
// ticked while the round runs belongs to the next round; a row unticked
// meanwhile is passed by, and a row that a new search refilled meanwhile is
// left alone. Rows the round did not contact keep their ticks and their
// place in the selection, which counts them all along.
class SelectedSellersRound final : public ContactSteps {
 public:
  // `launched` hears of every row whose chat went out, right after the launch.
  SelectedSellersRound(SelectedSellers& sellers, HistoryStore& history, ChatLauncher launch,
                       std::function<void(int row)> launched = {});

  std::optional<Step> contactNext() override;
  int tried() const override { return static_cast<int>(next_); }
  int left() const override { return static_cast<int>(rows_.size() - next_); }
  // Writes the ids launched since the last write into the history, read
  // afresh: a history deleted meanwhile (删除缓存) stays deleted but for
  // this round's ids.
  void savePoint() override;
  // Writes the history once more and tells how the round went.
  ContactReport finish();

 private:
  struct TickedRow {
    int row;
    LocalText sellerId;
  };

  SelectedSellers& sellers_;
  HistoryStore& history_;
  ChatLauncher launch_;
  std::function<void(int row)> launched_;
  std::vector<TickedRow> rows_;
  std::size_t next_ = 0;
  LocalText unsaved_;
  ContactReport report_;
};

// The whole round with no pause and no limit, pausing through `wait`
// between two chats so the window's events run; a cancelled wait ends it.
ContactReport contactSelectedSellers(SelectedSellers& sellers, HistoryStore& history, const ChatLauncher& launch,
                                     Wait& wait);

}  // namespace quorvane
