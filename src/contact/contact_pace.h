#pragma once
// How fast contacting may go, to keep the IM account out of trouble: a pause
// between chats (a random length between two bounds), a limit per round and
// a limit per account and day (counted from the contact log, starting again
// at local midnight). The defaults, no pause and no limits, contact as fast
// as the program always did.
#include <chrono>
#include <random>

#include "text/text.h"

namespace quorvane {

struct ContactPace {
  int pauseMinSeconds = 0;
  int pauseMaxSeconds = 0;
  int roundLimit = 0;  // chats per round; 0 for none
  int dailyLimit = 0;  // chats per account and day; 0 for none

  bool paused() const { return pauseMaxSeconds > 0; }
  bool operator==(const ContactPace&) const = default;
};

inline constexpr int kLongestPauseSeconds = 3600;
inline constexpr int kHighestContactLimit = 100000;

// The bounds each within 0 to an hour and in order, the limits within 0 to
// the highest: what a hand-edited settings file or the dialog may hold,
// made usable.
ContactPace sensiblePace(ContactPace pace);

// The next pause, uniformly between the bounds, to the millisecond.
std::chrono::milliseconds nextPause(const ContactPace& pace, std::mt19937& random);

enum class RoundEnd {
  Finished,           // every ticked (or listed) seller was tried
  Stopped,            // 停止, or the program was left
  RoundLimitReached,  // the round's limit of chats is reached
  DailyLimitReached,  // the account's limit for the day is reached
};

// Whether another chat may go out, with `launched` chats in this round so
// far and `today` from the account today.
RoundEnd limitBeforeNextChat(const ContactPace& pace, int launched, int today);

// "今日已联系 N / 上限", or "今日已联系 N" without a daily limit.
LocalText dailyCountText(int today, const ContactPace& pace);
// During a pause: "正在联系 3/10，下一个 5 秒后".
LocalText pausedRoundText(int done, int total, int secondsLeft);
// Why a round ended before its last seller, for the status line ("" when it
// went through): "联系已停止，其余勾选保留", "已达到每轮上限 N 个，其余勾选保留",
// "已达到今日上限 N 个，其余勾选保留".
LocalText roundEndText(RoundEnd end, const ContactPace& pace);

}  // namespace quorvane
