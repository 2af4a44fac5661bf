#include "imaccounts/discover_im_accounts.h"

#include <algorithm>
#include <string>

#include "imaccounts/im_account_tip.h"

namespace quorvane {
namespace {

using platform::TrayReadOutcome;
using platform::TrayTips;

// "正在读取通知区域中的千牛帐号…"
constexpr char kReadingStarted[] =
    "\xD5\xFD\xD4\xDA\xB6\xC1\xC8\xA1\xCD\xA8\xD6\xAA\xC7\xF8\xD3\xF2\xD6\xD0\xB5\xC4\xC7\xA7\xC5\xA3\xD5\xCA\xBA\xC5"
    "\xA1\xAD";
constexpr char kFoundBefore[] = "\xD5\xD2\xB5\xBD ";                           // "找到 "
constexpr char kFoundAfter[] = " \xB8\xF6\xC7\xA7\xC5\xA3\xD5\xCA\xBA\xC5";  // " 个千牛帐号"
// "通知区域没有及时应答，帐号列表保持不变"
constexpr char kTimedOut[] =
    "\xCD\xA8\xD6\xAA\xC7\xF8\xD3\xF2\xC3\xBB\xD3\xD0\xBC\xB0\xCA\xB1\xD3\xA6\xB4\xF0\xA3\xAC\xD5\xCA\xBA\xC5\xC1\xD0"
    "\xB1\xED\xB1\xA3\xB3\xD6\xB2\xBB\xB1\xE4";
// "未找到已登录的千牛帐号"
constexpr char kNoneLoggedIn[] = "\xCE\xB4\xD5\xD2\xB5\xBD\xD2\xD1\xB5\xC7\xC2\xBC\xB5\xC4\xC7\xA7\xC5\xA3\xD5\xCA\xBA\xC5";
// Windows 11 from 22H2 hides a new icon by default and shows it again only
// through Settings ("Other system tray icons"); the same place in Chinese:
// "未找到千牛帐号。如果千牛已登录，请让它的图标总在任务栏上显示：
//  设置 → 个性化 → 任务栏 → 其他系统托盘图标 → 打开千牛"
constexpr char kNoneShown[] =
    "\xCE\xB4\xD5\xD2\xB5\xBD\xC7\xA7\xC5\xA3\xD5\xCA\xBA\xC5\xA1\xA3\xC8\xE7\xB9\xFB\xC7\xA7\xC5\xA3\xD2\xD1\xB5\xC7"
    "\xC2\xBC\xA3\xAC\xC7\xEB\xC8\xC3\xCB\xFC\xB5\xC4\xCD\xBC\xB1\xEA\xD7\xDC\xD4\xDA\xC8\xCE\xCE\xF1\xC0\xB8\xC9\xCF"
    "\xCF\xD4\xCA\xBE\xA3\xBA\xC9\xE8\xD6\xC3 \xA1\xFA \xB8\xF6\xD0\xD4\xBB\xAF \xA1\xFA \xC8\xCE\xCE\xF1\xC0\xB8 \xA1\xFA"
    " \xC6\xE4\xCB\xFB\xCF\xB5\xCD\xB3\xCD\xD0\xC5\xCC\xCD\xBC\xB1\xEA \xA1\xFA \xB4\xF2\xBF\xAA\xC7\xA7\xC5\xA3";

std::vector<LocalText> accountsIn(const std::vector<LocalText>& tips) {
  std::vector<LocalText> accounts;
  for (const LocalText& tip : tips)
    if (auto account = imAccountFromTip(tip)) accounts.push_back(*std::move(account));
  return accounts;
}

ImAccountReading readingOf(TrayTips tips, bool throughAutomation) {
  ImAccountReading reading;
  reading.outcome = tips.outcome;
  reading.throughAutomation = throughAutomation && tips.outcome == TrayReadOutcome::Read;
  if (tips.outcome == TrayReadOutcome::Read) reading.accounts = accountsIn(tips.tips);
  return reading;
}

}  // namespace

ImAccountReading readImAccounts(platform::TrayTipSource& toolbars, platform::TrayTipSource& automation,
                                HiddenIcons hidden) {
  TrayTips shown = toolbars.readTips();
  if (shown.outcome == TrayReadOutcome::TimedOut || !shown.tips.empty()) return readingOf(std::move(shown), false);
  ImAccountReading reading = readingOf(automation.readTips(), true);
  if (reading.outcome == TrayReadOutcome::TimedOut || !reading.accounts.empty() ||
      hidden == HiddenIcons::LeaveClosed)
    return reading;
  ImAccountReading opened = readingOf(automation.readTipsWithHiddenIconsOpen(), true);
  if (opened.outcome == TrayReadOutcome::NotFound) return reading;  // no flyout to open
  opened.hiddenIconsOpened = true;
  return opened;
}

int accountToSelect(const std::vector<LocalText>& accounts, const LocalText& kept) {
  if (accounts.empty()) return -1;
  if (kept.empty()) return 0;
  auto found = std::find(accounts.begin(), accounts.end(), kept);
  return found == accounts.end() ? 0 : static_cast<int>(found - accounts.begin());
}

void showImAccounts(const ImAccountReading& reading, const LocalText& kept, AccountList& list) {
  if (reading.outcome == TrayReadOutcome::TimedOut) return;
  list.clearItems();
  for (const LocalText& account : reading.accounts) list.addItem(account);
  list.setSelectedIndex(accountToSelect(reading.accounts, kept));
}

LocalText imAccountStatus(const ImAccountReading& reading) {
  if (reading.outcome == TrayReadOutcome::TimedOut) return kTimedOut;
  if (!reading.accounts.empty()) return kFoundBefore + std::to_string(reading.accounts.size()) + kFoundAfter;
  return reading.throughAutomation ? kNoneShown : kNoneLoggedIn;
}

LocalText imAccountReadingStarted() { return kReadingStarted; }

}  // namespace quorvane
