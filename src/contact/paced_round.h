#pragma once
// A contact round, one seller after another: before each seller the round
// stops when its wait was cancelled (停止, the window closed, 退出) or a limit
// is reached, and after each chat that went out, while sellers are left, it
// pauses through that wait for as long as the pace says. Between two sellers
// the wait lets the windows' events run even without a pause. Without a
// pause and limits it contacts every seller in one go, as contacting always
// did. The same round serves 联系选中 and the batch window.
#include <chrono>
#include <functional>
#include <optional>
#include <random>

#include "contact/contact_pace.h"
#include "text/text.h"
#include "wait/wait.h"

namespace quorvane {

// The sellers of one round.
class ContactSteps {
 public:
  virtual ~ContactSteps() = default;
  enum class Step {
    Launched,  // a chat went out
    Passed,    // none did: the seller was offline, had no id, or the launch failed
  };
  // Contacts the next seller; nothing when none is left.
  virtual std::optional<Step> contactNext() = 0;
  virtual int tried() const = 0;  // sellers contacted or passed so far
  virtual int left() const = 0;   // sellers still to come
  // Before a pause: what was done so far is written down (history, log).
  virtual void savePoint() = 0;
};

struct RoundOutcome {
  RoundEnd end = RoundEnd::Finished;
  int launched = 0;
  bool operator==(const RoundOutcome&) const = default;
};

// `wait` is the window's: its cancel ends the round at once, in a pause or
// in a request; the chats launched so far stay launched and recorded.
// `chatsToday` counts the chats of the account chosen now, asked before
// each seller when there is a daily limit; `tell` gets the status line
// during pauses ("正在联系 3/10，下一个 5 秒后").
RoundOutcome runContactRound(ContactSteps& steps, const ContactPace& pace, Wait& wait,
                             const std::function<int()>& chatsToday, std::mt19937& random,
                             const std::function<void(const LocalText&)>& tell);

}  // namespace quorvane
