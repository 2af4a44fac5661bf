#include "app/window/search_progress_view.h"

#include <commctrl.h>

#include "app/window/window_text.h"

namespace quorvane {
namespace {

constexpr int kTooltipWidth = 420;             // wide enough for a province list, then it wraps
constexpr int kTooltipShownMs = 30000;         // long enough to read a summary

SearchPosition::Clock::time_point now() { return SearchPosition::Clock::now(); }

// The label as the tooltip's tool. The size without the reserved field, which
// comctl32 before version 6 refuses.
TTTOOLINFOW toolOf(HWND label, wchar_t* text) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(label);
  tool.uId = reinterpret_cast<UINT_PTR>(label);
  tool.lpszText = text;
  return tool;
}

}  // namespace

SearchProgressView::~SearchProgressView() { detach(); }

void SearchProgressView::attach(HWND owner, HWND countLabel, TaskbarProgress& taskbar) {
  taskbar_ = &taskbar;
  label_ = countLabel;
  // A label lets the mouse through to its parent unless it asks to be told;
  // the tooltip watches the label's own mouse messages.
  SetWindowLongPtrW(label_, GWL_STYLE, GetWindowLongPtrW(label_, GWL_STYLE) | SS_NOTIFY);
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
  if (!tooltip_) return;
  wchar_t none[] = L"";
  TTTOOLINFOW tool = toolOf(label_, none);
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kTooltipWidth);
  SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, kTooltipShownMs);
}

void SearchProgressView::detach() {
  if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
  label_ = nullptr;
}

void SearchProgressView::searchStarted(const SearchCriteria& criteria, const LocalText& creditText) {
  position_.begin(criteria, creditText, now());
  shown_.reset();
  if (taskbar_) taskbar_->start();
  show();
}

void SearchProgressView::eventsArrived(const std::vector<SearchEvent>& events) {
  if (!position_.searching()) return;
  for (const SearchEvent& event : events) position_.apply(event);
  show();
}

void SearchProgressView::searchFinished() {
  if (!position_.searching()) return;
  position_.finish(now());
  if (taskbar_) taskbar_->clear();
  show();
}

void SearchProgressView::searchStopped() {
  if (!position_.searching()) return;
  position_.stop(now());
  if (taskbar_) taskbar_->clear();
  show();
}

void SearchProgressView::show() {
  const std::optional<ProgressFraction> fraction = position_.fraction();
  if (fraction && fraction != shown_ && taskbar_) taskbar_->advance(fraction->done, fraction->total);
  shown_ = fraction;
  if (!tooltip_) return;
  std::wstring text = toWide(position_.description());
  TTTOOLINFOW tool = toolOf(label_, text.data());
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace quorvane
