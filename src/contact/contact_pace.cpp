#include "contact/contact_pace.h"

#include <algorithm>
#include <string>
#include <utility>

namespace quorvane {
namespace {

constexpr char kToday[] = "\xBD\xF1\xC8\xD5\xD2\xD1\xC1\xAA\xCF\xB5 ";                  // "今日已联系 "
constexpr char kContacting[] = "\xD5\xFD\xD4\xDA\xC1\xAA\xCF\xB5 ";                     // "正在联系 "
constexpr char kNextIn[] = "\xA3\xAC\xCF\xC2\xD2\xBB\xB8\xF6 ";                         // "，下一个 "
constexpr char kSecondsOn[] = " \xC3\xEB\xBA\xF3";                                      // " 秒后"
constexpr char kStopped[] = "\xC1\xAA\xCF\xB5\xD2\xD1\xCD\xA3\xD6\xB9";                 // 联系已停止
constexpr char kRoundLimit[] = "\xD2\xD1\xB4\xEF\xB5\xBD\xC3\xBF\xC2\xD6\xC9\xCF\xCF\xDE ";  // "已达到每轮上限 "
constexpr char kDailyLimit[] = "\xD2\xD1\xB4\xEF\xB5\xBD\xBD\xF1\xC8\xD5\xC9\xCF\xCF\xDE ";  // "已达到今日上限 "
constexpr char kChats[] = " \xB8\xF6";                                                  // " 个"
constexpr char kRestKept[] = "\xA3\xAC\xC6\xE4\xD3\xE0\xB9\xB4\xD1\xA1\xB1\xA3\xC1\xF4";  // "，其余勾选保留"

}  // namespace

ContactPace sensiblePace(ContactPace pace) {
  pace.pauseMinSeconds = std::clamp(pace.pauseMinSeconds, 0, kLongestPauseSeconds);
  pace.pauseMaxSeconds = std::clamp(pace.pauseMaxSeconds, 0, kLongestPauseSeconds);
  if (pace.pauseMaxSeconds < pace.pauseMinSeconds) std::swap(pace.pauseMinSeconds, pace.pauseMaxSeconds);
  pace.roundLimit = std::clamp(pace.roundLimit, 0, kHighestContactLimit);
  pace.dailyLimit = std::clamp(pace.dailyLimit, 0, kHighestContactLimit);
  return pace;
}

std::chrono::milliseconds nextPause(const ContactPace& pace, std::mt19937& random) {
  const ContactPace sensible = sensiblePace(pace);
  std::uniform_int_distribution<long long> length(sensible.pauseMinSeconds * 1000LL, sensible.pauseMaxSeconds * 1000LL);
  return std::chrono::milliseconds(length(random));
}

RoundEnd limitBeforeNextChat(const ContactPace& pace, int launched, int today) {
  if (pace.roundLimit > 0 && launched >= pace.roundLimit) return RoundEnd::RoundLimitReached;
  if (pace.dailyLimit > 0 && today >= pace.dailyLimit) return RoundEnd::DailyLimitReached;
  return RoundEnd::Finished;
}

LocalText dailyCountText(int today, const ContactPace& pace) {
  LocalText text = kToday + std::to_string(today);
  if (pace.dailyLimit > 0) text += " / " + std::to_string(pace.dailyLimit);
  return text;
}

LocalText pausedRoundText(int done, int total, int secondsLeft) {
  return kContacting + std::to_string(done) + "/" + std::to_string(total) + kNextIn + std::to_string(secondsLeft) +
         kSecondsOn;
}

LocalText roundEndText(RoundEnd end, const ContactPace& pace) {
  switch (end) {
    case RoundEnd::Finished:
      return "";
    case RoundEnd::Stopped:
      return kStopped + LocalText(kRestKept);
    case RoundEnd::RoundLimitReached:
      return kRoundLimit + std::to_string(pace.roundLimit) + kChats + kRestKept;
    case RoundEnd::DailyLimitReached:
      return kDailyLimit + std::to_string(pace.dailyLimit) + kChats + kRestKept;
  }
  return "";
}

}  // namespace quorvane
