#pragma once
// Contacting the sellers of the ticked grid rows: one chat per row in ticking
// order, each row whose chat was launched marked "已联系" and greyed, its id
// added to the history. A row whose chat could not be launched keeps its
// tick and its look and is not recorded: nothing happened to that seller.
#include <optional>
#include <vector>

#include "contact/chat_url.h"
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
  virtual void resetSelection() = 0;
  // Puts a row that kept its tick back into the emptied selection, after
  // the rows put back before it.
  virtual void selectAgain(int row) = 0;
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

// The selection is taken, and emptied, at the start. Between two chats the
// round pauses through `wait`, so the window's events run; a cancelled wait
// ends the round: the rows contacted so far are still recorded, the others
// keep their ticks and their place in the selection. A row ticked while the
// round runs belongs to the next round; a row that a new search refilled
// meanwhile is left alone.
ContactReport contactSelectedSellers(SelectedSellers& sellers, HistoryStore& history, const ChatLauncher& launch,
                                     Wait& wait);

}  // namespace quorvane
