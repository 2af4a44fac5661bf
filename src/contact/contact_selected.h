#pragma once
// Contacting the sellers of the ticked grid rows: one chat per row in ticking
// order, each row marked "已联系" and greyed, each id added to the history.
#include <functional>

#include "contact/chat_url.h"
#include "results/result_table.h"
#include "text/text.h"

namespace quorvane {

// What contacting the ticked rows needs of the main window.
class SelectedSellers {
 public:
  virtual ~SelectedSellers() = default;
  virtual ResultTable& table() = 0;
  virtual LocalText selectionList() const = 0;  // "7,3," for rows 7 then 3
  virtual void resetSelection() = 0;
  virtual unsigned watcherInterval() const = 0;  // 时钟1, the account-chooser watcher
  virtual void setWatcherInterval(unsigned milliseconds) = 0;
};

// The contact history file, read whole at the start and rewritten whole.
class HistoryStore {
 public:
  virtual ~HistoryStore() = default;
  virtual LocalText load() = 0;
  virtual void save(const LocalText& previous, const LocalText& newEntries) = 0;
};

constexpr unsigned kWatcherIntervalMs = 200;

// `stopRequested`, asked before each row, ends the round early (the program
// is being left); the rows done so far are still recorded.
void contactSelectedSellers(SelectedSellers& sellers, HistoryStore& history, const ChatLauncher& launch,
                            const std::function<bool()>& stopRequested = {});

}  // namespace quorvane
