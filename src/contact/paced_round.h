#pragma once
// A contact round, one seller after another: before each seller the round
// stops when 停止 came or a limit is reached, and after each chat that went
// out, while sellers are left, it pauses for as long as the pace says.
// Without a pause and limits it contacts every seller at once, as contacting
// always did. The same round serves 联系选中 and the batch window.
#include <chrono>
#include <functional>
#include <optional>
#include <random>

#include "contact/contact_pace.h"
#include "text/text.h"

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

// What the window does for a round: its pauses and its stop.
class RoundPauses {
 public:
  virtual ~RoundPauses() = default;
  // Waits `length`, telling the seconds left at the start and as each one
  // passes. False when the round was stopped meanwhile.
  virtual bool pause(std::chrono::milliseconds length, const std::function<void(int secondsLeft)>& secondsLeft) = 0;
  virtual bool stopRequested() const = 0;
};

// A round that never waits, stopped when `stop` says so: contacting as it
// always was.
class WithoutPauses : public RoundPauses {
 public:
  explicit WithoutPauses(std::function<bool()> stop = {}) : stop_(std::move(stop)) {}
  bool pause(std::chrono::milliseconds, const std::function<void(int)>&) override { return true; }
  bool stopRequested() const override { return stop_ && stop_(); }

 private:
  std::function<bool()> stop_;
};

struct RoundOutcome {
  RoundEnd end = RoundEnd::Finished;
  int launched = 0;
  bool operator==(const RoundOutcome&) const = default;
};

// `chatsToday` counts the chats of the account chosen now, asked before
// each seller when there is a daily limit; `tell` gets the status line
// during pauses ("正在联系 3/10，下一个 5 秒后").
RoundOutcome runContactRound(ContactSteps& steps, const ContactPace& pace, RoundPauses& pauses,
                             const std::function<int()>& chatsToday, std::mt19937& random,
                             const std::function<void(const LocalText&)>& tell);

}  // namespace quorvane
