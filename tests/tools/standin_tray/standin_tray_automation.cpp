#include "standin_tray_automation.h"

#include <ole2.h>
#include <uiautomationcore.h>

namespace standin_tray {
namespace {

// From UIAutomationCoreApi.h, which does not compile as C++ with mingw-w64.
constexpr LPARAM kUiaRootObjectId = -25;
constexpr int kUiaAppendRuntimeId = 3;
constexpr PATTERNID kInvokePatternId = 10000;
constexpr PROPERTYID kControlTypeProperty = 30003, kNameProperty = 30005, kAutomationIdProperty = 30011,
                     kClassNameProperty = 30012, kIsControlElementProperty = 30016,
                     kIsContentElementProperty = 30017, kIsInvokePatternAvailableProperty = 30031;
constexpr int kButtonControlType = 50000, kGroupControlType = 50026, kPaneControlType = 50033;

// IInvokeProvider, which mingw-w64's header lacks (UIAutomationCore.idl).
MIDL_INTERFACE("54fcb24b-e18e-47a2-b4d3-eccbe77599a2")
IInvokeProvider : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke() = 0;
};
constexpr GUID kIidIInvokeProvider = {0x54fcb24b, 0xe18e, 0x47a2, {0xb4, 0xd3, 0xec, 0xcb, 0xe7, 0x75, 0x99, 0xa2}};

using ReturnRawElementProvider = LRESULT(WINAPI*)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*);
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);

template <typename Function>
Function uiaCall(const char* name) {
  static HMODULE core = LoadLibraryW(L"uiautomationcore.dll");
  return core ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(core, name))) : nullptr;
}

void setText(VARIANT* value, const std::wstring& text) {
  value->vt = VT_BSTR;
  value->bstrVal = SysAllocString(text.c_str());
}

void setBool(VARIANT* value, bool on) {
  value->vt = VT_BOOL;
  value->bstrVal = nullptr;
  value->boolVal = on ? VARIANT_TRUE : VARIANT_FALSE;
}

void setInt(VARIANT* value, int number) {
  value->vt = VT_I4;
  value->lVal = number;
}

}  // namespace

// One element, or the window's root. Nodes live as long as the stand-in:
// a client may still hold one after the content changed, so reference
// counts are kept only for form.
class AutomationTree::Node final : public IRawElementProviderSimple,
                                   public IRawElementProviderFragment,
                                   public IRawElementProviderFragmentRoot,
                                   public IInvokeProvider {
 public:
  Node(AutomationTree& tree, Node* parent, ElementShape shape, int id)
      : tree_(tree), parent_(parent), shape_(std::move(shape)), id_(id) {}

  bool isRoot() const { return parent_ == nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = nullptr;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IRawElementProviderSimple))
      *object = static_cast<IRawElementProviderSimple*>(this);
    else if (iid == __uuidof(IRawElementProviderFragment))
      *object = static_cast<IRawElementProviderFragment*>(this);
    else if (iid == __uuidof(IRawElementProviderFragmentRoot) && isRoot())
      *object = static_cast<IRawElementProviderFragmentRoot*>(this);
    else if (iid == kIidIInvokeProvider && shape_.onInvoke)
      *object = static_cast<IInvokeProvider*>(this);
    else
      return E_NOINTERFACE;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  // IRawElementProviderSimple
  HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
    *options = static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider | ProviderOptions_UseComThreading);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID pattern, IUnknown** provider) override {
    *provider = pattern == kInvokePatternId && shape_.onInvoke ? static_cast<IInvokeProvider*>(this) : nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* value) override {
    VariantInit(value);
    if (isRoot()) {
      if (property == kControlTypeProperty) setInt(value, kPaneControlType);
      return S_OK;  // the window's host provider gives the rest
    }
    switch (property) {
      case kAutomationIdProperty: setText(value, shape_.automationId); break;
      case kNameProperty: setText(value, shape_.name); break;
      case kClassNameProperty: setText(value, shape_.className); break;
      case kControlTypeProperty: setInt(value, shape_.group ? kGroupControlType : kButtonControlType); break;
      case kIsControlElementProperty:
      case kIsContentElementProperty: setBool(value, true); break;
      case kIsInvokePatternAvailableProperty: setBool(value, static_cast<bool>(shape_.onInvoke)); break;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override {
    *host = nullptr;
    if (!isRoot()) return S_OK;
    auto hostFromHwnd = uiaCall<HostProviderFromHwnd>("UiaHostProviderFromHwnd");
    return hostFromHwnd ? hostFromHwnd(tree_.window_, host) : S_OK;
  }

  // IRawElementProviderFragment
  HRESULT STDMETHODCALLTYPE Navigate(NavigateDirection direction, IRawElementProviderFragment** found) override {
    *found = nullptr;
    if (isRoot() && tree_.delayMs_) Sleep(tree_.delayMs_);
    Node* next = nullptr;
    switch (direction) {
      case NavigateDirection_Parent: next = parent_; break;
      case NavigateDirection_FirstChild:
      case NavigateDirection_LastChild:
        if (isRoot()) refreshChildren();
        if (!children_.empty()) next = direction == NavigateDirection_FirstChild ? children_.front() : children_.back();
        break;
      case NavigateDirection_NextSibling:
      case NavigateDirection_PreviousSibling: next = sibling(direction == NavigateDirection_NextSibling ? 1 : -1); break;
    }
    if (next) *found = static_cast<IRawElementProviderFragment*>(next);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** id) override {
    *id = nullptr;
    if (isRoot()) return S_OK;  // the host window's
    *id = SafeArrayCreateVector(VT_I4, 0, 2);
    if (!*id) return E_OUTOFMEMORY;
    LONG index = 0;
    int part = kUiaAppendRuntimeId;
    SafeArrayPutElement(*id, &index, &part);
    index = 1;
    SafeArrayPutElement(*id, &index, &id_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_BoundingRectangle(UiaRect* box) override {
    *box = isRoot() ? UiaRect{} : UiaRect{static_cast<double>(24 * (id_ % 40)), 0, 24, 24};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetEmbeddedFragmentRoots(SAFEARRAY** roots) override {
    *roots = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetFocus() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE get_FragmentRoot(IRawElementProviderFragmentRoot** root) override {
    *root = static_cast<IRawElementProviderFragmentRoot*>(tree_.root_);
    return S_OK;
  }

  // IRawElementProviderFragmentRoot
  HRESULT STDMETHODCALLTYPE ElementProviderFromPoint(double, double, IRawElementProviderFragment** found) override {
    *found = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetFocus(IRawElementProviderFragment** found) override {
    *found = nullptr;
    return S_OK;
  }

  // IInvokeProvider
  HRESULT STDMETHODCALLTYPE Invoke() override {
    if (shape_.onInvoke) shape_.onInvoke();
    return S_OK;
  }

 private:
  void refreshChildren() {
    children_.clear();
    for (ElementShape& shape : tree_.content_()) children_.push_back(tree_.add(this, std::move(shape)));
  }
  Node* sibling(int step) const {
    if (!parent_) return nullptr;
    const auto& all = parent_->children_;
    for (size_t i = 0; i < all.size(); ++i)
      if (all[i] == this) {
        const long long at = static_cast<long long>(i) + step;
        return at >= 0 && at < static_cast<long long>(all.size()) ? all[at] : nullptr;
      }
    return nullptr;
  }

  friend class AutomationTree;
  AutomationTree& tree_;
  Node* parent_;
  ElementShape shape_;
  int id_;
  std::vector<Node*> children_;
};

AutomationTree::AutomationTree(HWND window, std::function<std::vector<ElementShape>()> content, DWORD delayMs)
    : window_(window), content_(std::move(content)), delayMs_(delayMs) {
  root_ = add(nullptr, {});
}

AutomationTree::~AutomationTree() = default;

AutomationTree::Node* AutomationTree::add(Node* parent, ElementShape shape) {
  std::vector<ElementShape> children = std::move(shape.children);
  nodes_.push_back(std::make_unique<Node>(*this, parent, std::move(shape), static_cast<int>(nodes_.size()) + 1));
  Node* node = nodes_.back().get();
  for (ElementShape& child : children) node->children_.push_back(add(node, std::move(child)));
  return node;
}

bool AutomationTree::onGetObject(WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (static_cast<LONG>(lParam) != kUiaRootObjectId) return false;
  auto returnProvider = uiaCall<ReturnRawElementProvider>("UiaReturnRawElementProvider");
  if (!returnProvider) return false;
  result = returnProvider(window_, wParam, lParam, static_cast<IRawElementProviderSimple*>(root_));
  return true;
}

}  // namespace standin_tray
