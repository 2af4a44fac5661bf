// What the main window remembers between runs (app/settings.h): shown again
// when it opens, written when a search starts and when the program ends.
#include <algorithm>
#include <optional>

#include "app/restored_placement.h"
#include "app/window/keyword_box.h"
#include "app/window/main_window_impl.h"
#include "app/window/window_placement.h"
#include "app/window/window_text.h"

namespace quorvane {
namespace {

Control provinceCheckBox(size_t province) {
  return static_cast<Control>(indexOf(Control::安徽) + static_cast<int>(province));
}

std::wstring wideOf(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::u16string utf16Of(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

// The saved place, where its monitor is still there; the window is shown by it.
bool MainWindowImpl::restorePlacement() {
  if (!settings_.placement) return false;
  const SIZE minimum = minimumSize();
  const std::vector<ScreenBox> areas = workAreas();
  const std::optional<ScreenBox> box = restoredWindowBox(*settings_.placement, scale_.dpi(), minimum.cx, minimum.cy, areas);
  if (!box) return false;
  showPlacedAt(window_, *box, settings_.placement->maximized);
  return true;
}

void MainWindowImpl::showRememberedCriteria() {
  showRecentKeywords(control(Control::关键词输入框), settings_.recentKeywords);
  setText(Control::关键词输入框, settings_.keyword);
  grid_.setWorthContactingOnly(settings_.worthContactingOnly);
  setSelectedIndex(Control::组合框1, settings_.creditLevel);
  for (size_t province = 0; province < settings_.provinces.size(); ++province)
    setTicked(provinceCheckBox(province), settings_.provinces[province]);
  setTicked(Control::选中过滤, settings_.filter);
  accounts_.keepAccount(settings_.account);
  exportFolder_ = wideOf(settings_.exportFolder);
}

Settings MainWindowImpl::currentSettings() const {
  Settings settings = settings_;
  settings.keyword = text(Control::关键词输入框);
  settings.creditLevel = std::max(selectedIndex(Control::组合框1), 0);
  for (size_t province = 0; province < settings.provinces.size(); ++province)
    settings.provinces[province] = ticked(provinceCheckBox(province));
  settings.filter = ticked(Control::选中过滤);
  // An empty list (the IM client not running now) forgets nothing.
  const LocalText account = accounts_.selectedAccount();
  settings.account = account.empty() ? settings_.account : account;
  settings.placement = placementOf(window_, scale_.dpi());
  settings.columnWidths = grid_.columnWidths();
  settings.worthContactingOnly = grid_.view().worthContactingOnly();
  settings.exportFolder = utf16Of(exportFolder_);
  return settings;
}

void MainWindowImpl::saveSettings() {
  if (settingsFile_ && window_) settingsFile_->save(currentSettings());
}

}  // namespace quorvane
