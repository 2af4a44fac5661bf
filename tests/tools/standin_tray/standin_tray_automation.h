#pragma once
// The stand-in tray's icons as UI Automation shows those of the Windows 11
// taskbar: elements served from WM_GETOBJECT on a top-level window (Wine 10
// does not walk into a child window the way Windows walks into the
// taskbar's DesktopWindowContentBridge).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace standin_tray {

// One element: a button or a group of them.
struct ElementShape {
  std::wstring automationId;
  std::wstring name;
  std::wstring className;
  bool group = false;
  std::function<void()> onInvoke;  // a button that answers Invoke
  std::vector<ElementShape> children;
};

class AutomationTree {
 public:
  // `content` gives the elements under the window each time a client
  // connects; `delayMs` is how long every answer of the window's root waits,
  // as a shell that hangs.
  AutomationTree(HWND window, std::function<std::vector<ElementShape>()> content, DWORD delayMs);
  ~AutomationTree();
  AutomationTree(const AutomationTree&) = delete;
  AutomationTree& operator=(const AutomationTree&) = delete;

  // WM_GETOBJECT; false when the message is not for UI Automation or it is
  // missing (Wine 8), and the window procedure goes on as usual.
  bool onGetObject(WPARAM wParam, LPARAM lParam, LRESULT& result);

  class Node;

 private:
  Node* add(Node* parent, ElementShape shape);

  HWND window_;
  std::function<std::vector<ElementShape>()> content_;
  DWORD delayMs_;
  std::vector<std::unique_ptr<Node>> nodes_;  // every node ever served: clients may hold any of them
  Node* root_ = nullptr;
};

}  // namespace standin_tray
