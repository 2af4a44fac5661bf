#include "contact/paced_round.h"

namespace quorvane {
namespace {

RoundEnd limitNow(const ContactPace& pace, int launched, const std::function<int()>& chatsToday) {
  return limitBeforeNextChat(pace, launched, pace.dailyLimit > 0 && chatsToday ? chatsToday() : 0);
}

}  // namespace

RoundOutcome runContactRound(ContactSteps& steps, const ContactPace& pace, RoundPauses& pauses,
                             const std::function<int()>& chatsToday, std::mt19937& random,
                             const std::function<void(const LocalText&)>& tell) {
  RoundOutcome outcome;
  while (steps.left() > 0) {
    if (pauses.stopRequested()) return {RoundEnd::Stopped, outcome.launched};
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
    const bool waited = pauses.pause(nextPause(pace, random), [&](int secondsLeft) {
      if (tell) tell(pausedRoundText(steps.tried(), steps.tried() + steps.left(), secondsLeft));
    });
    if (!waited) return {RoundEnd::Stopped, outcome.launched};
  }
  return outcome;
}

}  // namespace quorvane
