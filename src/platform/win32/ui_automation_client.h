#pragma once
// The few UI Automation client interfaces the notification-area reading
// calls. The headers of the cross compiler lack them, so they are declared
// here from the published IDL: each interface in full vtable order up to the
// last method called (IUnknown's three first, then every method in IDL order;
// a [propget] property is the method get_<Name>), with the IDL's parameter
// types, IIDs and class id.
//
// Checked method by method against Wine's include/uiautomationclient.idl,
// revision 01fb2a26d2649666d3879a223a2cf2b779898cfd. A slot out of place
// would call the wrong method of the system's object, so the test
// ui_automation_slots_test.cpp calls each declared method through the raw
// vtable at the slot number the IDL gives it.
#include <windows.h>
#include <ole2.h>

namespace quorvane::platform::uia {

inline constexpr GUID kClsidCUIAutomation = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
inline constexpr GUID kIidIUIAutomation = {0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
inline constexpr GUID kIidIUIAutomationElement = {0xd22108aa, 0x8ac5, 0x49a5, {0x83, 0x7b, 0x37, 0xbb, 0xb3, 0xd7, 0x59, 0x1e}};
inline constexpr GUID kIidIUIAutomationElementArray = {0x14314595, 0xb4bc, 0x4055, {0x95, 0xf2, 0x58, 0xf2, 0xe4, 0x2c, 0x98, 0x55}};
inline constexpr GUID kIidIUIAutomationCondition = {0x352ffba8, 0x0973, 0x437c, {0xa6, 0x1f, 0xf6, 0x4c, 0xaf, 0xd8, 0x1d, 0xf9}};

using PROPERTYID = int;
using PATTERNID = int;
using CONTROLTYPEID = int;
using UIA_HWND = void*;

inline constexpr PROPERTYID UIA_AutomationIdPropertyId = 30011;

enum TreeScope : int {
  TreeScope_Element = 0x01,
  TreeScope_Children = 0x02,
  TreeScope_Descendants = 0x04,
  TreeScope_Parent = 0x08,
  TreeScope_Ancestors = 0x10,
  TreeScope_SubTree = TreeScope_Element | TreeScope_Children | TreeScope_Descendants,
};

// Only ever passed on as null or received and released: never called.
struct IUIAutomationCacheRequest;
struct IUIAutomationTreeWalker;
struct IUIAutomationElement;
struct IUIAutomationElementArray;

struct IUIAutomationCondition : public IUnknown {};

struct IUIAutomationElementArray : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Length(int* length) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetElement(int index, IUIAutomationElement** element) = 0;
};

struct IUIAutomationElement : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** runtimeId) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindFirst(TreeScope scope, IUIAutomationCondition* condition,
                                              IUIAutomationElement** found) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindAll(TreeScope scope, IUIAutomationCondition* condition,
                                            IUIAutomationElementArray** found) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindFirstBuildCache(TreeScope scope, IUIAutomationCondition* condition,
                                                        IUIAutomationCacheRequest* cacheRequest,
                                                        IUIAutomationElement** found) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindAllBuildCache(TreeScope scope, IUIAutomationCondition* condition,
                                                      IUIAutomationCacheRequest* cacheRequest,
                                                      IUIAutomationElementArray** found) = 0;
  virtual HRESULT STDMETHODCALLTYPE BuildUpdatedCache(IUIAutomationCacheRequest* cacheRequest,
                                                      IUIAutomationElement** updatedElement) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(PROPERTYID propertyId, VARIANT* retVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValueEx(PROPERTYID propertyId, BOOL ignoreDefaultValue,
                                                              VARIANT* retVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValue(PROPERTYID propertyId, VARIANT* retVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedPropertyValueEx(PROPERTYID propertyId, BOOL ignoreDefaultValue,
                                                             VARIANT* retVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPatternAs(PATTERNID patternId, REFIID riid, void** patternObject) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedPatternAs(PATTERNID patternId, REFIID riid, void** patternObject) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentPattern(PATTERNID patternId, IUnknown** patternObject) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedPattern(PATTERNID patternId, IUnknown** patternObject) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedParent(IUIAutomationElement** parent) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCachedChildren(IUIAutomationElementArray** children) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CurrentProcessId(int* retVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CurrentControlType(CONTROLTYPEID* retVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CurrentLocalizedControlType(BSTR* retVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CurrentName(BSTR* retVal) = 0;
};

struct IUIAutomation : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CompareElements(IUIAutomationElement* el1, IUIAutomationElement* el2,
                                                    BOOL* areSame) = 0;
  virtual HRESULT STDMETHODCALLTYPE CompareRuntimeIds(SAFEARRAY* runtimeId1, SAFEARRAY* runtimeId2,
                                                      BOOL* areSame) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRootElement(IUIAutomationElement** root) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(UIA_HWND hwnd, IUIAutomationElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromPoint(POINT pt, IUIAutomationElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFocusedElement(IUIAutomationElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRootElementBuildCache(IUIAutomationCacheRequest* cacheRequest,
                                                             IUIAutomationElement** root) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromHandleBuildCache(UIA_HWND hwnd, IUIAutomationCacheRequest* cacheRequest,
                                                                IUIAutomationElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromPointBuildCache(POINT pt, IUIAutomationCacheRequest* cacheRequest,
                                                               IUIAutomationElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFocusedElementBuildCache(IUIAutomationCacheRequest* cacheRequest,
                                                                IUIAutomationElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateTreeWalker(IUIAutomationCondition* condition,
                                                     IUIAutomationTreeWalker** walker) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ControlViewWalker(IUIAutomationTreeWalker** walker) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ContentViewWalker(IUIAutomationTreeWalker** walker) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RawViewWalker(IUIAutomationTreeWalker** walker) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_RawViewCondition(IUIAutomationCondition** condition) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ControlViewCondition(IUIAutomationCondition** condition) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ContentViewCondition(IUIAutomationCondition** condition) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateCacheRequest(IUIAutomationCacheRequest** cacheRequest) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateTrueCondition(IUIAutomationCondition** newCondition) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateFalseCondition(IUIAutomationCondition** newCondition) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreatePropertyCondition(PROPERTYID propertyId, VARIANT value,
                                                            IUIAutomationCondition** newCondition) = 0;
};

}  // namespace quorvane::platform::uia
