#pragma once
// What the status bar says after a contact round: how many chats were
// opened, how many could not be and why, and where the history went.
#include <optional>

#include "contact/contact_pace.h"
#include "contact/contact_selected.h"
#include "text/text.h"

namespace quorvane {

// "已打开 N 个聊天", then "M 个未能打开：" and the reason when launches
// failed ("未找到处理 aliim: 链接的程序，请先安装并登录客户端" when nothing
// handles the scheme). "没有打勾的行" when the round had no row to contact.
LocalText chatLaunchesText(const ChatLaunches& launches);

// 联系选中's round. `perUserHistory`, when given, is where the history is
// now kept, told after the launches ("联系记录保存在 <path>"); a history
// that could not be written says "联系记录未能保存".
LocalText contactRoundText(const ContactReport& report, const std::optional<LocalText>& perUserHistory);

// 批量联系's round: "批量联系：" and the launches.
LocalText batchRoundText(const ChatLaunches& launches);

// A round's text preceded by why the round ended early, when it did
// ("已达到今日上限 200 个，其余勾选保留；已打开 …").
LocalText withRoundEnd(const LocalText& roundText, RoundEnd end, const ContactPace& pace);
// A text followed by the contact log's records still waiting to be written,
// when there are any ("；联系记录.csv 暂时无法写入，3 条记录稍后写入").
LocalText withLogWaiting(const LocalText& text, int waiting);

// 删除缓存: "已删除联系记录", or "联系记录未能删除" when a copy is left.
LocalText historyClearedText(bool cleared);

}  // namespace quorvane
