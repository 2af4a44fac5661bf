#pragma once
// The declared UI Automation interfaces implemented so that every method
// records its name and answers E_NOTIMPL: the slot test calls them through
// the raw vtable, and fakes override the few methods they serve. Reference
// counts start at 1 (the test's own) and never delete: objects live on the
// test's stack, and a count back at 1 proves every reference was released.
#include <string>

#include "platform/win32/ui_automation_client.h"

namespace quorvane::tray_test {

namespace uia = platform::uia;

template <typename Interface>
class Recording : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    last = "QueryInterface";
    if (object) *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    last = "AddRef";
    return ++references;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    last = "Release";
    return --references;
  }

  // Hands one more reference to an out-parameter, as COM methods do.
  template <typename Out>
  HRESULT handOut(Out** out) {
    AddRef();
    *out = this;
    return S_OK;
  }

  ULONG references = 1;
  std::string last;

 protected:
  HRESULT called(const char* name) {
    last = name;
    return E_NOTIMPL;
  }
};

class RecordingCondition : public Recording<uia::IUIAutomationCondition> {};

class RecordingCacheRequest : public Recording<uia::IUIAutomationCacheRequest> {
 public:
  HRESULT STDMETHODCALLTYPE AddProperty(uia::PROPERTYID) override { return called("AddProperty"); }
  HRESULT STDMETHODCALLTYPE AddPattern(uia::PATTERNID) override { return called("AddPattern"); }
  HRESULT STDMETHODCALLTYPE Clone(uia::IUIAutomationCacheRequest**) override { return called("Clone"); }
  HRESULT STDMETHODCALLTYPE get_TreeScope(uia::TreeScope*) override { return called("get_TreeScope"); }
  HRESULT STDMETHODCALLTYPE put_TreeScope(uia::TreeScope) override { return called("put_TreeScope"); }
  HRESULT STDMETHODCALLTYPE get_TreeFilter(uia::IUIAutomationCondition**) override { return called("get_TreeFilter"); }
  HRESULT STDMETHODCALLTYPE put_TreeFilter(uia::IUIAutomationCondition*) override { return called("put_TreeFilter"); }
  HRESULT STDMETHODCALLTYPE get_AutomationElementMode(uia::AutomationElementMode*) override {
    return called("get_AutomationElementMode");
  }
  HRESULT STDMETHODCALLTYPE put_AutomationElementMode(uia::AutomationElementMode) override {
    return called("put_AutomationElementMode");
  }
};

class RecordingInvokePattern : public Recording<uia::IUIAutomationInvokePattern> {
 public:
  HRESULT STDMETHODCALLTYPE Invoke() override { return called("Invoke"); }
};

class RecordingElementArray : public Recording<uia::IUIAutomationElementArray> {
 public:
  HRESULT STDMETHODCALLTYPE get_Length(int*) override { return called("get_Length"); }
  HRESULT STDMETHODCALLTYPE GetElement(int, uia::IUIAutomationElement**) override { return called("GetElement"); }
};

class RecordingElement : public Recording<uia::IUIAutomationElement> {
 public:
  HRESULT STDMETHODCALLTYPE SetFocus() override { return called("SetFocus"); }
  HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY**) override { return called("GetRuntimeId"); }
  HRESULT STDMETHODCALLTYPE FindFirst(
      uia::TreeScope, uia::IUIAutomationCondition*, uia::IUIAutomationElement**) override {
    return called("FindFirst");
  }
  HRESULT STDMETHODCALLTYPE FindAll(
      uia::TreeScope, uia::IUIAutomationCondition*, uia::IUIAutomationElementArray**) override {
    return called("FindAll");
  }
  HRESULT STDMETHODCALLTYPE FindFirstBuildCache(
      uia::TreeScope, uia::IUIAutomationCondition*, uia::IUIAutomationCacheRequest*, uia::IUIAutomationElement**) override {
    return called("FindFirstBuildCache");
  }
  HRESULT STDMETHODCALLTYPE FindAllBuildCache(
      uia::TreeScope, uia::IUIAutomationCondition*, uia::IUIAutomationCacheRequest*, uia::IUIAutomationElementArray**) override {
    return called("FindAllBuildCache");
  }
  HRESULT STDMETHODCALLTYPE BuildUpdatedCache(uia::IUIAutomationCacheRequest*, uia::IUIAutomationElement**) override {
    return called("BuildUpdatedCache");
  }
  HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(uia::PROPERTYID, VARIANT*) override {
    return called("GetCurrentPropertyValue");
  }
  HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx(uia::PROPERTYID, BOOL, VARIANT*) override {
    return called("GetCurrentPropertyValueEx");
  }
  HRESULT STDMETHODCALLTYPE GetCachedPropertyValue(uia::PROPERTYID, VARIANT*) override {
    return called("GetCachedPropertyValue");
  }
  HRESULT STDMETHODCALLTYPE GetCachedPropertyValueEx(uia::PROPERTYID, BOOL, VARIANT*) override {
    return called("GetCachedPropertyValueEx");
  }
  HRESULT STDMETHODCALLTYPE GetCurrentPatternAs(uia::PATTERNID, REFIID, void**) override {
    return called("GetCurrentPatternAs");
  }
  HRESULT STDMETHODCALLTYPE GetCachedPatternAs(uia::PATTERNID, REFIID, void**) override {
    return called("GetCachedPatternAs");
  }
  HRESULT STDMETHODCALLTYPE GetCurrentPattern(uia::PATTERNID, IUnknown**) override {
    return called("GetCurrentPattern");
  }
  HRESULT STDMETHODCALLTYPE GetCachedPattern(uia::PATTERNID, IUnknown**) override { return called("GetCachedPattern"); }
  HRESULT STDMETHODCALLTYPE GetCachedParent(uia::IUIAutomationElement**) override { return called("GetCachedParent"); }
  HRESULT STDMETHODCALLTYPE GetCachedChildren(uia::IUIAutomationElementArray**) override {
    return called("GetCachedChildren");
  }
  HRESULT STDMETHODCALLTYPE get_CurrentProcessId(int*) override { return called("get_CurrentProcessId"); }
  HRESULT STDMETHODCALLTYPE get_CurrentControlType(uia::CONTROLTYPEID*) override {
    return called("get_CurrentControlType");
  }
  HRESULT STDMETHODCALLTYPE get_CurrentLocalizedControlType(BSTR*) override {
    return called("get_CurrentLocalizedControlType");
  }
  HRESULT STDMETHODCALLTYPE get_CurrentName(BSTR*) override { return called("get_CurrentName"); }
};

class RecordingAutomation : public Recording<uia::IUIAutomation2> {
 public:
  HRESULT STDMETHODCALLTYPE CompareElements(uia::IUIAutomationElement*, uia::IUIAutomationElement*, BOOL*) override {
    return called("CompareElements");
  }
  HRESULT STDMETHODCALLTYPE CompareRuntimeIds(SAFEARRAY*, SAFEARRAY*, BOOL*) override {
    return called("CompareRuntimeIds");
  }
  HRESULT STDMETHODCALLTYPE GetRootElement(uia::IUIAutomationElement**) override { return called("GetRootElement"); }
  HRESULT STDMETHODCALLTYPE ElementFromHandle(uia::UIA_HWND, uia::IUIAutomationElement**) override {
    return called("ElementFromHandle");
  }
  HRESULT STDMETHODCALLTYPE ElementFromPoint(POINT, uia::IUIAutomationElement**) override {
    return called("ElementFromPoint");
  }
  HRESULT STDMETHODCALLTYPE GetFocusedElement(uia::IUIAutomationElement**) override {
    return called("GetFocusedElement");
  }
  HRESULT STDMETHODCALLTYPE GetRootElementBuildCache(
      uia::IUIAutomationCacheRequest*, uia::IUIAutomationElement**) override {
    return called("GetRootElementBuildCache");
  }
  HRESULT STDMETHODCALLTYPE ElementFromHandleBuildCache(
      uia::UIA_HWND, uia::IUIAutomationCacheRequest*, uia::IUIAutomationElement**) override {
    return called("ElementFromHandleBuildCache");
  }
  HRESULT STDMETHODCALLTYPE ElementFromPointBuildCache(
      POINT, uia::IUIAutomationCacheRequest*, uia::IUIAutomationElement**) override {
    return called("ElementFromPointBuildCache");
  }
  HRESULT STDMETHODCALLTYPE GetFocusedElementBuildCache(
      uia::IUIAutomationCacheRequest*, uia::IUIAutomationElement**) override {
    return called("GetFocusedElementBuildCache");
  }
  HRESULT STDMETHODCALLTYPE CreateTreeWalker(uia::IUIAutomationCondition*, uia::IUIAutomationTreeWalker**) override {
    return called("CreateTreeWalker");
  }
  HRESULT STDMETHODCALLTYPE get_ControlViewWalker(uia::IUIAutomationTreeWalker**) override {
    return called("get_ControlViewWalker");
  }
  HRESULT STDMETHODCALLTYPE get_ContentViewWalker(uia::IUIAutomationTreeWalker**) override {
    return called("get_ContentViewWalker");
  }
  HRESULT STDMETHODCALLTYPE get_RawViewWalker(uia::IUIAutomationTreeWalker**) override {
    return called("get_RawViewWalker");
  }
  HRESULT STDMETHODCALLTYPE get_RawViewCondition(uia::IUIAutomationCondition**) override {
    return called("get_RawViewCondition");
  }
  HRESULT STDMETHODCALLTYPE get_ControlViewCondition(uia::IUIAutomationCondition**) override {
    return called("get_ControlViewCondition");
  }
  HRESULT STDMETHODCALLTYPE get_ContentViewCondition(uia::IUIAutomationCondition**) override {
    return called("get_ContentViewCondition");
  }
  HRESULT STDMETHODCALLTYPE CreateCacheRequest(uia::IUIAutomationCacheRequest**) override {
    return called("CreateCacheRequest");
  }
  HRESULT STDMETHODCALLTYPE CreateTrueCondition(uia::IUIAutomationCondition**) override {
    return called("CreateTrueCondition");
  }
  HRESULT STDMETHODCALLTYPE CreateFalseCondition(uia::IUIAutomationCondition**) override {
    return called("CreateFalseCondition");
  }
  HRESULT STDMETHODCALLTYPE CreatePropertyCondition(uia::PROPERTYID, VARIANT, uia::IUIAutomationCondition**) override {
    return called("CreatePropertyCondition");
  }
  HRESULT STDMETHODCALLTYPE CreatePropertyConditionEx(
      uia::PROPERTYID, VARIANT, uia::PropertyConditionFlags, uia::IUIAutomationCondition**) override {
    return called("CreatePropertyConditionEx");
  }
  HRESULT STDMETHODCALLTYPE CreateAndCondition(
      uia::IUIAutomationCondition*, uia::IUIAutomationCondition*, uia::IUIAutomationCondition**) override {
    return called("CreateAndCondition");
  }
  HRESULT STDMETHODCALLTYPE CreateAndConditionFromArray(SAFEARRAY*, uia::IUIAutomationCondition**) override {
    return called("CreateAndConditionFromArray");
  }
  HRESULT STDMETHODCALLTYPE CreateAndConditionFromNativeArray(
      uia::IUIAutomationCondition**, int, uia::IUIAutomationCondition**) override {
    return called("CreateAndConditionFromNativeArray");
  }
  HRESULT STDMETHODCALLTYPE CreateOrCondition(
      uia::IUIAutomationCondition*, uia::IUIAutomationCondition*, uia::IUIAutomationCondition**) override {
    return called("CreateOrCondition");
  }
  HRESULT STDMETHODCALLTYPE CreateOrConditionFromArray(SAFEARRAY*, uia::IUIAutomationCondition**) override {
    return called("CreateOrConditionFromArray");
  }
  HRESULT STDMETHODCALLTYPE CreateOrConditionFromNativeArray(
      uia::IUIAutomationCondition**, int, uia::IUIAutomationCondition**) override {
    return called("CreateOrConditionFromNativeArray");
  }
  HRESULT STDMETHODCALLTYPE CreateNotCondition(uia::IUIAutomationCondition*, uia::IUIAutomationCondition**) override {
    return called("CreateNotCondition");
  }
  HRESULT STDMETHODCALLTYPE AddAutomationEventHandler(
      uia::EVENTID, uia::IUIAutomationElement*, uia::TreeScope, uia::IUIAutomationCacheRequest*, uia::IUIAutomationEventHandler*) override {
    return called("AddAutomationEventHandler");
  }
  HRESULT STDMETHODCALLTYPE RemoveAutomationEventHandler(
      uia::EVENTID, uia::IUIAutomationElement*, uia::IUIAutomationEventHandler*) override {
    return called("RemoveAutomationEventHandler");
  }
  HRESULT STDMETHODCALLTYPE AddPropertyChangedEventHandlerNativeArray(
      uia::IUIAutomationElement*, uia::TreeScope, uia::IUIAutomationCacheRequest*, uia::IUIAutomationPropertyChangedEventHandler*, uia::PROPERTYID*, int) override {
    return called("AddPropertyChangedEventHandlerNativeArray");
  }
  HRESULT STDMETHODCALLTYPE AddPropertyChangedEventHandler(
      uia::IUIAutomationElement*, uia::TreeScope, uia::IUIAutomationCacheRequest*, uia::IUIAutomationPropertyChangedEventHandler*, SAFEARRAY*) override {
    return called("AddPropertyChangedEventHandler");
  }
  HRESULT STDMETHODCALLTYPE RemovePropertyChangedEventHandler(
      uia::IUIAutomationElement*, uia::IUIAutomationPropertyChangedEventHandler*) override {
    return called("RemovePropertyChangedEventHandler");
  }
  HRESULT STDMETHODCALLTYPE AddStructureChangedEventHandler(
      uia::IUIAutomationElement*, uia::TreeScope, uia::IUIAutomationCacheRequest*, uia::IUIAutomationStructureChangedEventHandler*) override {
    return called("AddStructureChangedEventHandler");
  }
  HRESULT STDMETHODCALLTYPE RemoveStructureChangedEventHandler(
      uia::IUIAutomationElement*, uia::IUIAutomationStructureChangedEventHandler*) override {
    return called("RemoveStructureChangedEventHandler");
  }
  HRESULT STDMETHODCALLTYPE AddFocusChangedEventHandler(
      uia::IUIAutomationCacheRequest*, uia::IUIAutomationFocusChangedEventHandler*) override {
    return called("AddFocusChangedEventHandler");
  }
  HRESULT STDMETHODCALLTYPE RemoveFocusChangedEventHandler(uia::IUIAutomationFocusChangedEventHandler*) override {
    return called("RemoveFocusChangedEventHandler");
  }
  HRESULT STDMETHODCALLTYPE RemoveAllEventHandlers() override { return called("RemoveAllEventHandlers"); }
  HRESULT STDMETHODCALLTYPE IntNativeArrayToSafeArray(int*, int, SAFEARRAY**) override {
    return called("IntNativeArrayToSafeArray");
  }
  HRESULT STDMETHODCALLTYPE IntSafeArrayToNativeArray(SAFEARRAY*, int**, int*) override {
    return called("IntSafeArrayToNativeArray");
  }
  HRESULT STDMETHODCALLTYPE RectToVariant(RECT, VARIANT*) override { return called("RectToVariant"); }
  HRESULT STDMETHODCALLTYPE VariantToRect(VARIANT, RECT*) override { return called("VariantToRect"); }
  HRESULT STDMETHODCALLTYPE SafeArrayToRectNativeArray(SAFEARRAY*, RECT**, int*) override {
    return called("SafeArrayToRectNativeArray");
  }
  HRESULT STDMETHODCALLTYPE CreateProxyFactoryEntry(
      uia::IUIAutomationProxyFactory*, uia::IUIAutomationProxyFactoryEntry**) override {
    return called("CreateProxyFactoryEntry");
  }
  HRESULT STDMETHODCALLTYPE get_ProxyFactoryMapping(uia::IUIAutomationProxyFactoryMapping**) override {
    return called("get_ProxyFactoryMapping");
  }
  HRESULT STDMETHODCALLTYPE GetPropertyProgrammaticName(uia::PROPERTYID, BSTR*) override {
    return called("GetPropertyProgrammaticName");
  }
  HRESULT STDMETHODCALLTYPE GetPatternProgrammaticName(uia::PATTERNID, BSTR*) override {
    return called("GetPatternProgrammaticName");
  }
  HRESULT STDMETHODCALLTYPE PollForPotentialSupportedPatterns(
      uia::IUIAutomationElement*, SAFEARRAY**, SAFEARRAY**) override {
    return called("PollForPotentialSupportedPatterns");
  }
  HRESULT STDMETHODCALLTYPE PollForPotentialSupportedProperties(
      uia::IUIAutomationElement*, SAFEARRAY**, SAFEARRAY**) override {
    return called("PollForPotentialSupportedProperties");
  }
  HRESULT STDMETHODCALLTYPE CheckNotSupported(VARIANT, BOOL*) override { return called("CheckNotSupported"); }
  HRESULT STDMETHODCALLTYPE get_ReservedNotSupportedValue(IUnknown**) override {
    return called("get_ReservedNotSupportedValue");
  }
  HRESULT STDMETHODCALLTYPE get_ReservedMixedAttributeValue(IUnknown**) override {
    return called("get_ReservedMixedAttributeValue");
  }
  HRESULT STDMETHODCALLTYPE ElementFromIAccessible(uia::IAccessible*, int, uia::IUIAutomationElement**) override {
    return called("ElementFromIAccessible");
  }
  HRESULT STDMETHODCALLTYPE ElementFromIAccessibleBuildCache(
      uia::IAccessible*, int, uia::IUIAutomationCacheRequest*, uia::IUIAutomationElement**) override {
    return called("ElementFromIAccessibleBuildCache");
  }
  HRESULT STDMETHODCALLTYPE get_AutoSetFocus(BOOL*) override { return called("get_AutoSetFocus"); }
  HRESULT STDMETHODCALLTYPE put_AutoSetFocus(BOOL) override { return called("put_AutoSetFocus"); }
  HRESULT STDMETHODCALLTYPE get_ConnectionTimeout(DWORD*) override { return called("get_ConnectionTimeout"); }
  HRESULT STDMETHODCALLTYPE put_ConnectionTimeout(DWORD) override { return called("put_ConnectionTimeout"); }
  HRESULT STDMETHODCALLTYPE get_TransactionTimeout(DWORD*) override { return called("get_TransactionTimeout"); }
  HRESULT STDMETHODCALLTYPE put_TransactionTimeout(DWORD) override { return called("put_TransactionTimeout"); }
};

}  // namespace quorvane::tray_test
