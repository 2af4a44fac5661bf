#include "app/contact_status_text.h"

#include <string>

namespace quorvane {
namespace {

constexpr char kOpened[] = "\xD2\xD1\xB4\xF2\xBF\xAA ";                       // "已打开 "
constexpr char kChats[] = " \xB8\xF6\xC1\xC4\xCC\xEC";                        // " 个聊天"
constexpr char kNotOpened[] = " \xB8\xF6\xCE\xB4\xC4\xDC\xB4\xF2\xBF\xAA\xA3\xBA";  // " 个未能打开："
constexpr char kNoHandler[] =                                                   // 未找到处理 aliim: 链接的程序，请先安装并登录客户端
    "\xCE\xB4\xD5\xD2\xB5\xBD\xB4\xA6\xC0\xED aliim: \xC1\xB4\xBD\xD3\xB5\xC4\xB3\xCC\xD0\xF2\xA3\xAC"
    "\xC7\xEB\xCF\xC8\xB0\xB2\xD7\xB0\xB2\xA2\xB5\xC7\xC2\xBC\xBF\xCD\xBB\xA7\xB6\xCB";
constexpr char kLaunchFailed[] = "\xCF\xB5\xCD\xB3\xCE\xB4\xC4\xDC\xB4\xF2\xBF\xAA\xC1\xC4\xCC\xEC\xC1\xB4\xBD\xD3";  // 系统未能打开聊天链接
constexpr char kNoRows[] = "\xC3\xBB\xD3\xD0\xB4\xF2\xB9\xB4\xB5\xC4\xD0\xD0";  // 没有打勾的行
constexpr char kHistoryKeptIn[] = "\xC1\xAA\xCF\xB5\xBC\xC7\xC2\xBC\xB1\xA3\xB4\xE6\xD4\xDA ";  // "联系记录保存在 "
constexpr char kHistoryNotSaved[] = "\xC1\xAA\xCF\xB5\xBC\xC7\xC2\xBC\xCE\xB4\xC4\xDC\xB1\xA3\xB4\xE6";  // 联系记录未能保存
constexpr char kBatch[] = "\xC5\xFA\xC1\xBF\xC1\xAA\xCF\xB5\xA3\xBA";         // 批量联系：
constexpr char kComma[] = "\xA3\xAC";                                           // ，
constexpr char kSemicolon[] = "\xA3\xBB";                                       // ；

}  // namespace

LocalText chatLaunchesText(const ChatLaunches& launches) {
  if (launches.notOpened == 0)
    return launches.opened == 0 ? LocalText(kNoRows) : kOpened + std::to_string(launches.opened) + kChats;
  LocalText text = launches.opened > 0 ? kOpened + std::to_string(launches.opened) + kChats + kComma : "";
  return text + std::to_string(launches.notOpened) + kNotOpened + (launches.noHandler ? kNoHandler : kLaunchFailed);
}

LocalText contactRoundText(const ContactReport& report, const std::optional<LocalText>& perUserHistory) {
  LocalText text = chatLaunchesText(report.launches);
  if (!report.saved) return text + kSemicolon + kHistoryNotSaved;
  if (perUserHistory) text += kSemicolon + (kHistoryKeptIn + *perUserHistory);
  return text;
}

LocalText historyClearedText(bool cleared) {
  return cleared ? "\xD2\xD1\xC9\xBE\xB3\xFD\xC1\xAA\xCF\xB5\xBC\xC7\xC2\xBC"    // 已删除联系记录
                 : "\xC1\xAA\xCF\xB5\xBC\xC7\xC2\xBC\xCE\xB4\xC4\xDC\xC9\xBE\xB3\xFD";  // 联系记录未能删除
}

LocalText withRoundEnd(const LocalText& roundText, RoundEnd end, const ContactPace& pace) {
  const LocalText why = roundEndText(end, pace);
  return why.empty() ? roundText : why + kSemicolon + roundText;
}

LocalText withLogWaiting(const LocalText& text, int waiting) {
  if (waiting <= 0) return text;
  // 联系记录.csv 暂时无法写入，N 条记录稍后写入
  return text + kSemicolon + "\xC1\xAA\xCF\xB5\xBC\xC7\xC2\xBC.csv \xD4\xDD\xCA\xB1\xCE\xDE\xB7\xA8\xD0\xB4\xC8\xEB\xA3\xAC" +
         std::to_string(waiting) + " \xCC\xF5\xBC\xC7\xC2\xBC\xC9\xD4\xBA\xF3\xD0\xB4\xC8\xEB";
}

LocalText batchRoundText(const ChatLaunches& launches) {
  if (launches.opened == 0 && launches.notOpened == 0) return kBatch + (kOpened + std::string("0")) + kChats;
  return kBatch + chatLaunchesText(launches);
}

}  // namespace quorvane
