#pragma once
// Contacting the sellers of the ticked grid rows: one chat per row in ticking
// order, each row whose chat was launched marked "已联系", greyed and taken
// out of the selection, its id added to the history. A row whose chat could
// not be launched keeps its tick and its look and is not recorded: nothing
// happened to that seller. Rows the round has not reached (it was stopped,
// or a limit ended it) keep their ticks.
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "contact/chat_url.h"
#include "contact/paced_round.h"
#include "contact/program_file.h"
#include "results/result_table.h"
#include "text/text.h"

namespace quorvane {

// What contacting the ticked rows needs of the main window.
class SelectedSellers {
 public:
  virtual ~SelectedSellers() = default;
  virtual ResultTable& table() = 0;
  virtual LocalText selectionList() const = 0;  // "7,3," for rows 7 then 3
  // Takes a row out of the selection (its tick is cleared in the table).
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

// 联系选中's round, one ticked row a step. The ticks are read afresh at
// every step, so during a paced round a row ticked meanwhile is contacted
// too and one unticked meanwhile is not; each row is tried once.
class SelectedSellersRound final : public ContactSteps {
 public:
  // `launched` hears of every row whose chat went out, right after the launch.
  SelectedSellersRound(SelectedSellers& sellers, HistoryStore& history, ChatLauncher launch,
                       std::function<void(int row)> launched = {});

  std::optional<Step> contactNext() override;
  int tried() const override { return static_cast<int>(tried_.size()); }
  int left() const override { return static_cast<int>(rowsLeft().size()); }
  // Writes the history: the content loaded at the start and the rows
  // launched so far.
  void savePoint() override;
  // Writes the history once more and tells how the round went.
  ContactReport finish();

 private:
  std::vector<int> rowsLeft() const;

  SelectedSellers& sellers_;
  HistoryStore& history_;
  ChatLauncher launch_;
  std::function<void(int row)> launched_;
  LocalText previous_;
  LocalText newEntries_;
  std::set<int> tried_;
  ContactReport report_;
};

// The whole round at once, with no pause and no limit; `stopRequested`,
// asked before each row, ends it early.
ContactReport contactSelectedSellers(SelectedSellers& sellers, HistoryStore& history, const ChatLauncher& launch,
                                     const std::function<bool()>& stopRequested = {});

}  // namespace quorvane
