#pragma once
// IM client windows held in memory: top-level windows in z-order, their
// dialog items, list box contents, and a log of what was done to them.
#include <map>
#include <string>
#include <vector>

#include "platform/im_client_windows.h"

namespace quorvane::testing {

using platform::WindowId;
using platform::kNoWindow;

struct FakeWindow {
  std::string windowClass;
  LocalText title;
  std::map<int, WindowId> items;     // control id -> window
  std::vector<LocalText> listItems;  // list boxes only
  int selected = -1;
  bool open = true;

  static FakeWindow of(std::string windowClass, LocalText title) {
    FakeWindow w;
    w.windowClass = std::move(windowClass);
    w.title = std::move(title);
    return w;
  }
  static FakeWindow listBox(std::vector<LocalText> items) {
    FakeWindow w = of("ListBox", "");
    w.listItems = std::move(items);
    return w;
  }
};

class FakeImClientWindows : public platform::ImClientWindows {
 public:
  std::map<WindowId, FakeWindow> windows;
  std::vector<WindowId> topLevel;  // z-order, topmost first
  std::vector<std::string> log;    // "select 1", "click 7", "close 3"

  WindowId addTopLevel(std::string windowClass, LocalText title) {
    WindowId id = add(FakeWindow::of(std::move(windowClass), std::move(title)));
    topLevel.push_back(id);
    return id;
  }
  WindowId addItem(WindowId parent, int controlId, FakeWindow item) {
    WindowId id = add(std::move(item));
    windows[parent].items[controlId] = id;
    return id;
  }
  // A chooser as the client shows it: list box 201 and OK button 1.
  WindowId addChooser(const LocalText& title, std::vector<LocalText> items, WindowId* list = nullptr,
                      WindowId* ok = nullptr) {
    WindowId chooser = addTopLevel("#32770", title);
    WindowId l = addItem(chooser, 201, FakeWindow::listBox(std::move(items)));
    WindowId o = addItem(chooser, 1, FakeWindow::of("Button", "OK"));
    if (list) *list = l;
    if (ok) *ok = o;
    return chooser;
  }

  WindowId findTopLevel(std::string_view windowClass, const LocalText& title) override {
    for (WindowId id : topLevel) {
      const FakeWindow& w = windows[id];
      if (w.open && w.windowClass == windowClass && w.title == title) return id;
    }
    return kNoWindow;
  }
  WindowId dialogItem(WindowId dialog, int controlId) override {
    auto it = windows.find(dialog);
    if (it == windows.end()) return kNoWindow;
    auto item = it->second.items.find(controlId);
    return item == it->second.items.end() ? kNoWindow : item->second;
  }
  int listBoxCount(WindowId listBox) override {
    auto it = windows.find(listBox);
    return it == windows.end() ? 0 : static_cast<int>(it->second.listItems.size());
  }
  LocalText listBoxItemText(WindowId listBox, int index) override {
    auto it = windows.find(listBox);
    if (it == windows.end() || index < 0 || index >= static_cast<int>(it->second.listItems.size())) return "";
    return it->second.listItems[static_cast<size_t>(index)];
  }
  void selectListBoxItem(WindowId listBox, int index) override {
    windows[listBox].selected = index;
    log.push_back("select " + std::to_string(index));
  }
  void postLeftClick(WindowId window) override { log.push_back("click " + std::to_string(window)); }
  void sendClose(WindowId window) override {
    windows[window].open = false;
    log.push_back("close " + std::to_string(window));
  }

 private:
  WindowId add(FakeWindow w) {
    WindowId id = nextId_++;
    windows[id] = std::move(w);
    return id;
  }
  WindowId nextId_ = 100;
};

}  // namespace quorvane::testing
