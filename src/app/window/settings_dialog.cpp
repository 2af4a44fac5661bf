#include "app/window/settings_dialog.h"

#include <algorithm>
#include <utility>

#include "app/window/dialog_template.h"

namespace quorvane {
namespace {

constexpr wchar_t kTitle[] = L"\u8BBE\u7F6E";                                            // 设置
constexpr wchar_t kPace[] = L"\u8054\u7CFB\u8282\u594F";                                 // 联系节奏
constexpr wchar_t kPauseBetween[] = L"\u4E24\u4E2A\u804A\u5929\u4E4B\u95F4\u6682\u505C";  // 两个聊天之间暂停
constexpr wchar_t kTo[] = L"\u5230";                                                     // 到
constexpr wchar_t kSeconds[] = L"\u79D2";                                                // 秒
// 每次在这两个秒数之间随机取值；都为 0 时不暂停。
constexpr wchar_t kPauseNote[] =
    L"\u6BCF\u6B21\u5728\u8FD9\u4E24\u4E2A\u79D2\u6570\u4E4B\u95F4\u968F\u673A\u53D6\u503C\uFF1B\u90FD\u4E3A 0 "
    L"\u65F6\u4E0D\u6682\u505C\u3002";
constexpr wchar_t kPerRound[] = L"\u6BCF\u8F6E\u6700\u591A\u8054\u7CFB";  // 每轮最多联系
constexpr wchar_t kPerDay[] = L"\u6BCF\u4E2A\u8D26\u53F7\u6BCF\u5929\u6700\u591A\u8054\u7CFB";  // 每个账号每天最多联系
constexpr wchar_t kNoLimit[] = L"\u4E2A\uFF08" L"0 \u8868\u793A\u4E0D\u9650\uFF09";           // 个（0 表示不限）
// 每天的数量按“联系记录.csv”统计，当地零点重新计数。
constexpr wchar_t kDayNote[] =
    L"\u6BCF\u5929\u7684\u6570\u91CF\u6309\u201C\u8054\u7CFB\u8BB0\u5F55.csv\u201D\u7EDF\u8BA1\uFF0C"
    L"\u5F53\u5730\u96F6\u70B9\u91CD\u65B0\u8BA1\u6570\u3002";
constexpr wchar_t kOk[] = L"\u786E\u5B9A";      // 确定
constexpr wchar_t kCancel[] = L"\u53D6\u6D88";  // 取消

constexpr DWORD kNumberBox = WS_TABSTOP | WS_BORDER | ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;

DialogTemplate paceDialog() {
  DialogTemplate dialog(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, {0, 0, 262, 146}, kTitle);
  dialog.add(L"BUTTON", kPace, 0xFFFF, BS_GROUPBOX, {7, 6, 248, 112});
  dialog.add(L"STATIC", kPauseBetween, 0xFFFF, kLabel, {15, 23, 86, 10});
  dialog.add(L"EDIT", L"", kPauseMinBox, kNumberBox | WS_GROUP, {104, 21, 32, 13});
  dialog.add(L"STATIC", kTo, 0xFFFF, kLabel | SS_CENTER, {138, 23, 12, 10});
  dialog.add(L"EDIT", L"", kPauseMaxBox, kNumberBox, {152, 21, 32, 13});
  dialog.add(L"STATIC", kSeconds, 0xFFFF, kLabel, {188, 23, 20, 10});
  dialog.add(L"STATIC", kPauseNote, 0xFFFF, kLabel, {15, 39, 234, 20});
  dialog.add(L"STATIC", kPerRound, 0xFFFF, kLabel, {15, 64, 86, 10});
  dialog.add(L"EDIT", L"", kRoundLimitBox, kNumberBox, {104, 62, 40, 13});
  dialog.add(L"STATIC", kNoLimit, 0xFFFF, kLabel, {148, 64, 100, 10});
  dialog.add(L"STATIC", kPerDay, 0xFFFF, kLabel, {15, 82, 86, 10});
  dialog.add(L"EDIT", L"", kDailyLimitBox, kNumberBox, {104, 80, 40, 13});
  dialog.add(L"STATIC", kNoLimit, 0xFFFF, kLabel, {148, 82, 100, 10});
  dialog.add(L"STATIC", kDayNote, 0xFFFF, kLabel, {15, 98, 234, 18});
  dialog.add(L"BUTTON", kOk, IDOK, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, {146, 125, 50, 14});
  dialog.add(L"BUTTON", kCancel, IDCANCEL, WS_TABSTOP, {203, 125, 50, 14});
  return dialog;
}

struct DialogState {
  ContactPace pace;
  bool confirmed = false;
};

int numberIn(HWND dialog, int item, int fallback) {
  BOOL read = FALSE;
  const UINT value = GetDlgItemInt(dialog, item, &read, FALSE);
  return read ? static_cast<int>(std::min<UINT>(value, 1000000)) : fallback;
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      state = reinterpret_cast<DialogState*>(lParam);
      const ContactPace& pace = state->pace;
      const std::pair<int, int> boxes[] = {{kPauseMinBox, pace.pauseMinSeconds},
                                           {kPauseMaxBox, pace.pauseMaxSeconds},
                                           {kRoundLimitBox, pace.roundLimit},
                                           {kDailyLimitBox, pace.dailyLimit}};
      for (const auto& [item, value] : boxes) {
        SetDlgItemInt(dialog, item, static_cast<UINT>(value), FALSE);
        SendDlgItemMessageW(dialog, item, EM_SETLIMITTEXT, 6, 0);
      }
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && state) {
        // An emptied box means none: no pause, no limit.
        state->pace = sensiblePace({numberIn(dialog, kPauseMinBox, 0), numberIn(dialog, kPauseMaxBox, 0),
                                    numberIn(dialog, kRoundLimitBox, 0), numberIn(dialog, kDailyLimitBox, 0)});
        state->confirmed = true;
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

std::optional<ContactPace> askContactPace(HWND owner, const ContactPace& current) {
  const DialogTemplate dialog = paceDialog();
  DialogState state{current};
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  DialogBoxIndirectParamW(instance, dialog.get(), owner, dialogProc, reinterpret_cast<LPARAM>(&state));
  if (!state.confirmed) return std::nullopt;
  return state.pace;
}

}  // namespace quorvane
