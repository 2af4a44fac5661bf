#include "contact/paced_round.h"

namespace quorvane {
namespace {

RoundEnd limitNow(const ContactPace& pace, int launched, const std::function<int()>& chatsToday) {
  return limitBeforeNextChat(pace, launched, pace.dailyLimit > 0 && chatsToday ? chatsToday() : 0);
}

// A pause of `length`, in steps of a second so the status line counts down.
// False when the wait was cancelled meanwhile.
bool pauseCountingDown(Wait& wait, std::chrono::milliseconds length, const std::function<void(int)>& secondsLeft) {
  using std::chrono::milliseconds;
  constexpr milliseconds kSecond{1000};
  while (length > milliseconds::zero()) {
    secondsLeft(static_cast<int>((length + kSecond - milliseconds(1)) / kSecond));
    // The odd part of a second first: the count then drops on whole seconds.
    const milliseconds step = length % kSecond == milliseconds::zero() ? kSecond : length % kSecond;
    if (!wait.pause(step)) return false;
    length -= step;
  }
  return true;
}

}  // namespace

RoundOutcome runContactRound(ContactSteps& steps, const ContactPace& pace, Wait& wait,
                             const std::function<int()>& chatsToday, std::mt19937& random,
                             const std::function<void(const LocalText&)>& tell) {
  RoundOutcome outcome;
  for (bool first = true; steps.left() > 0; first = false) {
    // Between two sellers the windows' events run; a cancel meanwhile ends
    // the round before the next one.
    if (!(first ? !wait.cancelled() : wait.pause(Wait::Clock::duration::zero())))
      return {RoundEnd::Stopped, outcome.launched};
    if (RoundEnd limit = limitNow(pace, outcome.launched, chatsToday); limit != RoundEnd::Finished)
      return {limit, outcome.launched};
    const std::optional<ContactSteps::Step> step = steps.contactNext();
    if (!step) break;
    if (*step != ContactSteps::Step::Launched) continue;
    ++outcome.launched;
    if (!pace.paused() || steps.left() == 0) continue;
    // No pause before a limit that ends the round anyway.
    if (RoundEnd limit = limitNow(pace, outcome.launched, chatsToday); limit != RoundEnd::Finished)
      return {limit, outcome.launched};
    steps.savePoint();
    const bool waited = pauseCountingDown(wait, nextPause(pace, random), [&](int secondsLeft) {
      if (tell) tell(pausedRoundText(steps.tried(), steps.tried() + steps.left(), secondsLeft));
    });
    if (!waited) return {RoundEnd::Stopped, outcome.launched};
  }
  if (wait.cancelled()) return {RoundEnd::Stopped, outcome.launched};
  return outcome;
}

}  // namespace quorvane
