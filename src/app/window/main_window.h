#pragma once
// The main window as the rest of the program sees it: its controls by their
// layout names, the result table behind the grid, the tick selection, and a
// way to run work on the window's own thread.
#include <windows.h>

#include <functional>

#include "app/contact_log.h"
#include "contact/contact_pace.h"
#include "app/window/window_waits.h"
#include "results/result_table.h"
#include "search/service_hosts.h"
#include "text/text.h"

namespace quorvane {

// Every control of the main window and of its region panel, by layout name.
enum class Control {
  // header
  分组框1, 透明标签1, 组合框1, 透明标签2, 旺旺输入框, 进入店铺, 关键词输入框, 搜索, 清空,
  // window
  透明标签3, 高级表格1, 透明标签4, 联系旺旺列表框, 刷新, 联系选中, 搜索结果, 选中过滤, 已选中标签,
  停止搜索, 删除缓存, 批量联系, 选择地区, 图片框1,
  // region panel
  启动高级搜索, 图形按钮1,
  选择框1, 选择框2, 选择框3, 选择框4, 选择框5, 选择框6, 选择框7, 选择框8,
  安徽, 福建, 甘肃, 广东, 广西, 贵州, 海南, 河北, 河南, 湖北, 湖南, 江苏, 江西, 吉林, 辽宁,
  宁夏, 青海, 山东, 山西, 陕西, 云南, 四川, 西藏, 新疆, 浙江, 澳门, 香港, 台湾, 内蒙古, 黑龙江,
};

class MainWindow {
 public:
  virtual ~MainWindow() = default;

  virtual HWND handle() const = 0;
  virtual HWND control(Control c) const = 0;

  // Control texts are local (GBK) text; the window shows them through the
  // wide APIs, so they read right whatever the system's ANSI code page is.
  virtual LocalText text(Control c) const = 0;
  virtual void setText(Control c, const LocalText& text) = 0;
  virtual bool ticked(Control c) const = 0;  // check boxes
  virtual void setTicked(Control c, bool ticked) = 0;
  virtual int selectedIndex(Control c) const = 0;  // drop-down lists; -1 for none
  virtual void setSelectedIndex(Control c, int index) = 0;
  virtual void clearItems(Control c) = 0;
  virtual void addItem(Control c, const LocalText& item) = 0;
  virtual bool enabled(Control c) const = 0;
  virtual void setEnabled(Control c, bool enabled) = 0;

  // The grid's contents; the window's thread only.
  virtual ResultTable& table() = 0;
  // Empties SelectionList, sets SelectionCount to 0 and rewrites 已选中标签.
  virtual void resetSelection() = 0;
  // SelectionList as text: each ticked row number followed by ",".
  virtual LocalText selectionList() const = 0;
  // Takes a row's entry out of SelectionList (the row's tick is the table's).
  virtual void removeFromSelection(int row) = 0;

  virtual void slideRegionPanelOut() = 0;

  // The status bar's message: the latest thing the program has to say (what
  // a search is doing, what failed, how a contact round went). The window's
  // thread only; from another, through runOnUiThread.
  virtual void setStatusText(const LocalText& text) = 0;

  // The contact log (联系记录.csv), for the program's run; the window's thread.
  virtual ContactLog& contactLog() = 0;
  // How fast contacting may go, as the user set it in 设置.
  virtual ContactPace contactPace() const = 0;
  // Shows "今日已联系 N / 上限" again for the account chosen now; `reread`
  // reads the log afresh first (after a round, another program may have
  // written to it too).
  virtual void showDailyCount(bool reread) = 0;
  // While a paced round of 联系选中 runs, its button reads "停止联系" and
  // calls `stop`; an empty function gives the button back.
  virtual void offerRoundStop(std::function<void()> stop) = 0;

  // The services the program talks to now: the settings file's hosts (or
  // the defaults), each replaced by its environment variable where set.
  virtual ServiceHosts serviceHosts() const = 0;

  // 时钟1 of the main window (the account-chooser watcher); 0 when stopped.
  virtual unsigned timerInterval() const = 0;
  virtual void setTimerInterval(unsigned milliseconds) = 0;

  // Runs `task` on the window's thread; callable from any thread. Tasks posted
  // after the window is gone are dropped.
  virtual void runOnUiThread(std::function<void()> task) = 0;

  // The waits of the window's thread: an action that waits begins one here.
  virtual WindowWaits& waits() = 0;
};

}  // namespace quorvane
