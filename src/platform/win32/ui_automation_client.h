#pragma once
// The UI Automation client interfaces the notification-area reading calls.
// The headers of the cross compiler lack them, so they are declared here
// from the published IDL: each interface in full vtable order (IUnknown's
// three first, then every method in IDL order; a [propget] property is the
// method get_<Name>, a [propput] one put_<Name>), with the IDL's parameter
// types, IIDs and class ids. IUIAutomationElement is declared up to the last
// method called; every other interface whole, IUIAutomation because
// IUIAutomation2 continues its vtable.
//
// Checked method by method against Wine's include/uiautomationclient.idl,
// revision 01fb2a26d2649666d3879a223a2cf2b779898cfd (the Windows SDK's
// interfaces, slot for slot). A slot out of place would call the wrong
// method of the system's object, so the test ui_automation_slots_test.cpp
// calls each declared method through the raw vtable at the slot number the
// IDL gives it.
#include <windows.h>
#include <ole2.h>

namespace quorvane::platform::uia {

inline constexpr GUID kClsidCUIAutomation = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
inline constexpr GUID kClsidCUIAutomation8 = {0xe22ad333, 0xb25f, 0x460c, {0x83, 0xd0, 0x05, 0x81, 0x10, 0x73, 0x95, 0xc9}};
inline constexpr GUID kIidIUIAutomation = {0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
inline constexpr GUID kIidIUIAutomation2 = {0x34723aff, 0x0c9d, 0x49d0, {0x98, 0x96, 0x7a, 0xb5, 0x2d, 0xf8, 0xcd, 0x8a}};
inline constexpr GUID kIidIUIAutomationElement = {0xd22108aa, 0x8ac5, 0x49a5, {0x83, 0x7b, 0x37, 0xbb, 0xb3, 0xd7, 0x59, 0x1e}};
inline constexpr GUID kIidIUIAutomationElementArray = {0x14314595, 0xb4bc, 0x4055, {0x95, 0xf2, 0x58, 0xf2, 0xe4, 0x2c, 0x98, 0x55}};
inline constexpr GUID kIidIUIAutomationCondition = {0x352ffba8, 0x0973, 0x437c, {0xa6, 0x1f, 0xf6, 0x4c, 0xaf, 0xd8, 0x1d, 0xf9}};
inline constexpr GUID kIidIUIAutomationCacheRequest = {0xb32a92b5, 0xbc25, 0x4078, {0x9c, 0x08, 0xd7, 0xee, 0x95, 0xc4, 0x8e, 0x03}};
inline constexpr GUID kIidIUIAutomationInvokePattern = {0xfb377fbe, 0x8ea6, 0x46d5, {0x9c, 0x73, 0x64, 0x99, 0x64, 0x2d, 0x30, 0x59}};

using PROPERTYID = int;
using PATTERNID = int;
using EVENTID = int;
using CONTROLTYPEID = int;
using UIA_HWND = void*;

inline constexpr PROPERTYID UIA_NamePropertyId = 30005;
inline constexpr PROPERTYID UIA_AutomationIdPropertyId = 30011;
inline constexpr PROPERTYID UIA_ClassNamePropertyId = 30012;
inline constexpr PATTERNID UIA_InvokePatternId = 10000;
// What a call answers when the connection or transaction time-out of
// IUIAutomation2 ran out (UIAutomationCoreApi.h).
inline constexpr HRESULT UIA_E_TIMEOUT = static_cast<HRESULT>(0x80131505);

enum TreeScope : int {
  TreeScope_Element = 0x01,
  TreeScope_Children = 0x02,
  TreeScope_Descendants = 0x04,
  TreeScope_Parent = 0x08,
  TreeScope_Ancestors = 0x10,
  TreeScope_SubTree = TreeScope_Element | TreeScope_Children | TreeScope_Descendants,
};

enum PropertyConditionFlags : int {
  PropertyConditionFlags_None = 0x00,
  PropertyConditionFlags_IgnoreCase = 0x01,
};

enum AutomationElementMode : int {
  AutomationElementMode_None = 0x00,
  AutomationElementMode_Full = 0x01,
};

// Only ever passed on as null or received and released: never called.
struct IUIAutomationTreeWalker;
struct IUIAutomationEventHandler;
struct IUIAutomationPropertyChangedEventHandler;
struct IUIAutomationStructureChangedEventHandler;
struct IUIAutomationFocusChangedEventHandler;
struct IUIAutomationProxyFactory;
struct IUIAutomationProxyFactoryEntry;
struct IUIAutomationProxyFactoryMapping;
struct IAccessible;
struct IUIAutomationElement;
struct IUIAutomationElementArray;

struct IUIAutomationCondition : public IUnknown {};

struct IUIAutomationCacheRequest : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE AddProperty(PROPERTYID propertyId) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddPattern(PATTERNID patternId) = 0;
  virtual HRESULT STDMETHODCALLTYPE Clone(IUIAutomationCacheRequest** clonedRequest) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TreeScope(TreeScope* scope) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TreeScope(TreeScope scope) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TreeFilter(IUIAutomationCondition** filter) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TreeFilter(IUIAutomationCondition* filter) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_AutomationElementMode(AutomationElementMode* mode) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_AutomationElementMode(AutomationElementMode mode) = 0;
};

struct IUIAutomationInvokePattern : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Invoke() = 0;
};

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
  virtual HRESULT STDMETHODCALLTYPE CreatePropertyConditionEx(PROPERTYID propertyId, VARIANT value,
                                                              PropertyConditionFlags flags,
                                                              IUIAutomationCondition** newCondition) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateAndCondition(IUIAutomationCondition* condition1,
                                                       IUIAutomationCondition* condition2,
                                                       IUIAutomationCondition** newCondition) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateAndConditionFromArray(SAFEARRAY* conditions,
                                                                IUIAutomationCondition** newCondition) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateAndConditionFromNativeArray(IUIAutomationCondition** conditions,
                                                                      int conditionCount,
                                                                      IUIAutomationCondition** newCondition) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateOrCondition(IUIAutomationCondition* condition1,
                                                      IUIAutomationCondition* condition2,
                                                      IUIAutomationCondition** newCondition) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateOrConditionFromArray(SAFEARRAY* conditions,
                                                               IUIAutomationCondition** newCondition) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateOrConditionFromNativeArray(IUIAutomationCondition** conditions,
                                                                     int conditionCount,
                                                                     IUIAutomationCondition** newCondition) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateNotCondition(IUIAutomationCondition* condition,
                                                       IUIAutomationCondition** newCondition) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddAutomationEventHandler(EVENTID eventId, IUIAutomationElement* element,
                                                              TreeScope scope, IUIAutomationCacheRequest* cacheRequest,
                                                              IUIAutomationEventHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveAutomationEventHandler(EVENTID eventId, IUIAutomationElement* element,
                                                                 IUIAutomationEventHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddPropertyChangedEventHandlerNativeArray(
      IUIAutomationElement* element, TreeScope scope, IUIAutomationCacheRequest* cacheRequest,
      IUIAutomationPropertyChangedEventHandler* handler, PROPERTYID* propertyArray, int propertyCount) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddPropertyChangedEventHandler(IUIAutomationElement* element, TreeScope scope,
                                                                   IUIAutomationCacheRequest* cacheRequest,
                                                                   IUIAutomationPropertyChangedEventHandler* handler,
                                                                   SAFEARRAY* propertyArray) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemovePropertyChangedEventHandler(
      IUIAutomationElement* element, IUIAutomationPropertyChangedEventHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddStructureChangedEventHandler(IUIAutomationElement* element, TreeScope scope,
                                                                    IUIAutomationCacheRequest* cacheRequest,
                                                                    IUIAutomationStructureChangedEventHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveStructureChangedEventHandler(
      IUIAutomationElement* element, IUIAutomationStructureChangedEventHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddFocusChangedEventHandler(IUIAutomationCacheRequest* cacheRequest,
                                                                IUIAutomationFocusChangedEventHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveFocusChangedEventHandler(IUIAutomationFocusChangedEventHandler* handler) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveAllEventHandlers() = 0;
  virtual HRESULT STDMETHODCALLTYPE IntNativeArrayToSafeArray(int* array, int arrayCount, SAFEARRAY** safeArray) = 0;
  virtual HRESULT STDMETHODCALLTYPE IntSafeArrayToNativeArray(SAFEARRAY* intArray, int** array, int* arrayCount) = 0;
  virtual HRESULT STDMETHODCALLTYPE RectToVariant(RECT rc, VARIANT* var) = 0;
  virtual HRESULT STDMETHODCALLTYPE VariantToRect(VARIANT var, RECT* rc) = 0;
  virtual HRESULT STDMETHODCALLTYPE SafeArrayToRectNativeArray(SAFEARRAY* rects, RECT** rectArray,
                                                               int* rectArrayCount) = 0;
  virtual HRESULT STDMETHODCALLTYPE CreateProxyFactoryEntry(IUIAutomationProxyFactory* factory,
                                                            IUIAutomationProxyFactoryEntry** factoryEntry) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ProxyFactoryMapping(IUIAutomationProxyFactoryMapping** factoryMapping) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPropertyProgrammaticName(PROPERTYID property, BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPatternProgrammaticName(PATTERNID pattern, BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE PollForPotentialSupportedPatterns(IUIAutomationElement* element,
                                                                      SAFEARRAY** patternIds,
                                                                      SAFEARRAY** patternNames) = 0;
  virtual HRESULT STDMETHODCALLTYPE PollForPotentialSupportedProperties(IUIAutomationElement* element,
                                                                        SAFEARRAY** propertyIds,
                                                                        SAFEARRAY** propertyNames) = 0;
  virtual HRESULT STDMETHODCALLTYPE CheckNotSupported(VARIANT value, BOOL* isNotSupported) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ReservedNotSupportedValue(IUnknown** notSupportedValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ReservedMixedAttributeValue(IUnknown** mixedAttributeValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromIAccessible(IAccessible* accessible, int childId,
                                                           IUIAutomationElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE ElementFromIAccessibleBuildCache(IAccessible* accessible, int childId,
                                                                     IUIAutomationCacheRequest* cacheRequest,
                                                                     IUIAutomationElement** element) = 0;
};

// Windows 8 and later (CUIAutomation8): the time-outs that keep a shell that
// does not answer from holding the caller for good.
struct IUIAutomation2 : public IUIAutomation {
  virtual HRESULT STDMETHODCALLTYPE get_AutoSetFocus(BOOL* autoSetFocus) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_AutoSetFocus(BOOL autoSetFocus) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ConnectionTimeout(DWORD* timeout) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ConnectionTimeout(DWORD timeout) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TransactionTimeout(DWORD* timeout) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_TransactionTimeout(DWORD timeout) = 0;
};

}  // namespace quorvane::platform::uia
