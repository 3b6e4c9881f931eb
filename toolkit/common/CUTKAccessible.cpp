// The accessibility mix-in: forwarding IAccessible part and late-bound Active Accessibility.
#include "toolkit/common/CUTKAccessible.h"

#include "platform/framework/window/FrameworkWindows.h"

#include <utility>

namespace {

template <class T>
T As(FARPROC proc) noexcept
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(proc));
}

}  // namespace

CUTKAccessible::CUTKAccessible() noexcept : m_xAccessible(this) {}

CUTKAccessible::~CUTKAccessible()
{
    if (m_hOleacc && m_hOleacc != Missing()) {
        ::FreeLibrary(m_hOleacc);
    }
}

// ---- Default operations ---------------------------------------------------------------------

HRESULT CUTKAccessible::get_accParent(IDispatch**) { return E_NOTIMPL; }
HRESULT CUTKAccessible::get_accChildCount(long*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::get_accChild(VARIANT, IDispatch**) { return E_NOTIMPL; }
HRESULT CUTKAccessible::get_accName(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::get_accValue(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::get_accDescription(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::get_accRole(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::get_accState(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::get_accHelp(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::get_accHelpTopic(BSTR*, VARIANT, long*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::get_accKeyboardShortcut(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::get_accFocus(VARIANT*) { return S_FALSE; }
HRESULT CUTKAccessible::get_accSelection(VARIANT*) { return S_FALSE; }
HRESULT CUTKAccessible::get_accDefaultAction(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::accSelect(long, VARIANT) { return E_NOTIMPL; }
HRESULT CUTKAccessible::accLocation(long*, long*, long*, long*, VARIANT) { return E_NOTIMPL; }
HRESULT CUTKAccessible::accNavigate(long, VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::accHitTest(long, long, VARIANT*) { return E_NOTIMPL; }
HRESULT CUTKAccessible::accDoDefaultAction(VARIANT) { return E_NOTIMPL; }
HRESULT CUTKAccessible::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CUTKAccessible::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
CCmdTarget* CUTKAccessible::GetAccessibleOwner() { return nullptr; }

// ---- Late-bound entry points ----------------------------------------------------------------

void CUTKAccessible::AccessibleNotifyWinEvent(DWORD event, HWND window, LONG objectId,
                                              LONG childId)
{
    if (m_hUser32 == Missing()) {
        return;
    }
    if (!m_hUser32) {
        // Not found now is tried again next time; only a missing entry point is final.
        m_hUser32 = ::GetModuleHandleW(L"user32.dll");
        if (!m_hUser32) {
            return;
        }
    }
    if (!m_procNotifyWinEvent) {
        m_procNotifyWinEvent = ::GetProcAddress(m_hUser32, "NotifyWinEvent");
        if (!m_procNotifyWinEvent) {
            m_hUser32 = Missing();
            return;
        }
    }
    As<NotifyWinEventFn>(m_procNotifyWinEvent)(event, window, objectId, childId);
}

FARPROC CUTKAccessible::FindOleaccEntry(FARPROC& cached, LPCSTR name)
{
    if (m_hOleacc == Missing()) {
        return nullptr;
    }
    if (!m_hOleacc) {
        m_hOleacc = ::LoadLibraryW(m_pszAccessibilityLibrary);
        if (!m_hOleacc) {
            return nullptr;
        }
    }
    if (!cached) {
        cached = ::GetProcAddress(m_hOleacc, name);
        if (!cached) {
            // A library without the entry is not asked again, for either entry.
            ::FreeLibrary(m_hOleacc);
            m_hOleacc = Missing();
            m_procLresultFromObject = nullptr;
            m_procAccessibleObjectFromWindow = nullptr;
            return nullptr;
        }
    }
    return cached;
}

HRESULT CUTKAccessible::AccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID riid,
                                                   void** ppvObject)
{
    FARPROC proc = FindOleaccEntry(m_procAccessibleObjectFromWindow, "AccessibleObjectFromWindow");
    if (!proc) {
        return E_FAIL;
    }
    return As<AccessibleObjectFromWindowFn>(proc)(window, objectId, riid, ppvObject);
}

LRESULT CUTKAccessible::LresultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN object)
{
    FARPROC proc = FindOleaccEntry(m_procLresultFromObject, "LresultFromObject");
    if (!proc) {
        return E_FAIL;
    }
    return As<LresultFromObjectFn>(proc)(riid, wParam, object);
}

// ---- Child ids ------------------------------------------------------------------------------

long CUTKAccessible::ChildIndexAt(const VARIANT* variant, bool followReference) noexcept
{
    if (!variant) {
        return -1;
    }
    switch (variant->vt) {
    case VT_EMPTY:
        return 0;
    case VT_I2:
        return variant->iVal;
    case VT_I4:
        return variant->lVal;
    case VT_BYREF | VT_I2:
        return variant->piVal ? *variant->piVal : -1;
    case VT_BYREF | VT_I4:
        return variant->plVal ? *variant->plVal : -1;
    case VT_BYREF | VT_VARIANT:
        // One level only: a chain of references (or one that points at itself) names nothing.
        return followReference ? ChildIndexAt(variant->pvarVal, false) : -1;
    default:
        return -1;
    }
}

long CUTKAccessible::GetChildIndex(const VARIANT* variant) noexcept
{
    return ChildIndexAt(variant, true);
}

// ---- The IAccessible part -------------------------------------------------------------------

STDMETHODIMP CUTKAccessible::XAccessible::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    *ppv = nullptr;
    CCmdTarget* owner = m_pOuter->GetAccessibleOwner();
    if (!owner) {
        return E_NOINTERFACE;
    }
    return static_cast<HRESULT>(owner->ExternalQueryInterface(&riid, ppv));
}

STDMETHODIMP_(ULONG) CUTKAccessible::XAccessible::AddRef()
{
    CCmdTarget* owner = m_pOuter->GetAccessibleOwner();
    // Without an owner nothing owns the count: answer a count that never reads as freed.
    return owner ? owner->ExternalAddRef() : 1;
}

STDMETHODIMP_(ULONG) CUTKAccessible::XAccessible::Release()
{
    CCmdTarget* owner = m_pOuter->GetAccessibleOwner();
    return owner ? owner->ExternalRelease() : 1;
}

STDMETHODIMP CUTKAccessible::XAccessible::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }
STDMETHODIMP CUTKAccessible::XAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}
STDMETHODIMP CUTKAccessible::XAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}
STDMETHODIMP CUTKAccessible::XAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*,
                                                 VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CUTKAccessible::XAccessible::get_accParent(IDispatch** a)
{
    return m_pOuter->get_accParent(a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accChildCount(long* a)
{
    return m_pOuter->get_accChildCount(a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accChild(VARIANT v, IDispatch** a)
{
    return m_pOuter->get_accChild(v, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accName(VARIANT v, BSTR* a)
{
    return m_pOuter->get_accName(v, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accValue(VARIANT v, BSTR* a)
{
    return m_pOuter->get_accValue(v, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accDescription(VARIANT v, BSTR* a)
{
    return m_pOuter->get_accDescription(v, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accRole(VARIANT v, VARIANT* a)
{
    return m_pOuter->get_accRole(v, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accState(VARIANT v, VARIANT* a)
{
    return m_pOuter->get_accState(v, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accHelp(VARIANT v, BSTR* a)
{
    return m_pOuter->get_accHelp(v, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accHelpTopic(BSTR* a, VARIANT v, long* b)
{
    return m_pOuter->get_accHelpTopic(a, v, b);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accKeyboardShortcut(VARIANT v, BSTR* a)
{
    return m_pOuter->get_accKeyboardShortcut(v, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accFocus(VARIANT* a)
{
    return m_pOuter->get_accFocus(a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accSelection(VARIANT* a)
{
    return m_pOuter->get_accSelection(a);
}
STDMETHODIMP CUTKAccessible::XAccessible::get_accDefaultAction(VARIANT v, BSTR* a)
{
    return m_pOuter->get_accDefaultAction(v, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::accSelect(long f, VARIANT v)
{
    return m_pOuter->accSelect(f, v);
}
STDMETHODIMP CUTKAccessible::XAccessible::accLocation(long* x, long* y, long* cx, long* cy,
                                                      VARIANT v)
{
    return m_pOuter->accLocation(x, y, cx, cy, v);
}
STDMETHODIMP CUTKAccessible::XAccessible::accNavigate(long d, VARIANT v, VARIANT* a)
{
    return m_pOuter->accNavigate(d, v, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::accHitTest(long x, long y, VARIANT* a)
{
    return m_pOuter->accHitTest(x, y, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::accDoDefaultAction(VARIANT v)
{
    return m_pOuter->accDoDefaultAction(v);
}
STDMETHODIMP CUTKAccessible::XAccessible::put_accName(VARIANT v, BSTR a)
{
    return m_pOuter->put_accName(v, a);
}
STDMETHODIMP CUTKAccessible::XAccessible::put_accValue(VARIANT v, BSTR a)
{
    return m_pOuter->put_accValue(v, a);
}
