// The tabbed container as a page tab list for Active Accessibility: child 1 is the selected
// pane's window, children 2 and on are the panes of the tabs in order.
#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"

#include <windows.h>
#include <oleacc.h>

#include "toolkit/dockingpane/CUTKDockingPane.h"
#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"

namespace {

// The pane's IAccessible, referenced for the caller.
IDispatch* PaneDispatch(CUTKDockingPane* pane)
{
    IAccessible* accessible = pane->GetAccessible();
    accessible->AddRef();
    return accessible;
}

}  // namespace

LPUNKNOWN CUTKDockingPaneTabbedContainer::GetInterfaceHook(const void* iid)
{
    const IID& requested = *static_cast<const IID*>(iid);
    if (requested == IID_IAccessible || requested == IID_IDispatch) {
        return GetAccessible();
    }
    return CWnd::GetInterfaceHook(iid);
}

HRESULT CUTKDockingPaneTabbedContainer::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr) {
        return E_POINTER;
    }
    *ppdispParent = nullptr;
    if (m_hWnd == nullptr) {
        return E_FAIL;
    }
    return AccessibleObjectFromWindow(m_hWnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(ppdispParent));
}

HRESULT CUTKDockingPaneTabbedContainer::get_accChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr) {
        return E_POINTER;
    }
    *pcountChildren = GetItemCount() + 1;
    return S_OK;
}

HRESULT CUTKDockingPaneTabbedContainer::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr) {
        return E_POINTER;
    }
    *ppdispChild = nullptr;
    const long child = GetChildIndex(&varChild);
    if (child == 1) {
        if (m_pSelectedPane == nullptr || !m_pSelectedPane->HasWindow()) {
            return S_FALSE;
        }
        return AccessibleObjectFromWindow(m_pSelectedPane->GetHandle(),
                                          static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                          reinterpret_cast<void**>(ppdispChild));
    }
    CUTKDockingPane* pane = child >= 2 ? GetPaneByTab(static_cast<int>(child - 2)) : nullptr;
    if (pane == nullptr) {
        return E_INVALIDARG;
    }
    *ppdispChild = PaneDispatch(pane);
    return S_OK;
}

HRESULT CUTKDockingPaneTabbedContainer::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == nullptr) {
        return E_POINTER;
    }
    *pszName = nullptr;
    const long child = GetChildIndex(&varChild);
    if (child == CHILDID_SELF) {
        *pszName = ::SysAllocString(GetTitle());
        return S_OK;
    }
    if (child < 1 || child > GetItemCount() + 1) {
        return E_INVALIDARG;
    }
    return S_FALSE;
}

HRESULT CUTKDockingPaneTabbedContainer::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == nullptr) {
        return E_POINTER;
    }
    ::VariantInit(pvarRole);
    if (GetChildIndex(&varChild) != CHILDID_SELF) {
        return E_INVALIDARG;
    }
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_PAGETABLIST;
    return S_OK;
}

HRESULT CUTKDockingPaneTabbedContainer::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == nullptr) {
        return E_POINTER;
    }
    ::VariantInit(pvarState);
    if (GetChildIndex(&varChild) != CHILDID_SELF) {
        return E_INVALIDARG;
    }
    pvarState->vt = VT_I4;
    pvarState->lVal = 0;
    return S_OK;
}

HRESULT CUTKDockingPaneTabbedContainer::accLocation(long* pxLeft, long* pyTop, long* pcxWidth,
                                                    long* pcyHeight, VARIANT varChild)
{
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr) {
        return E_POINTER;
    }
    if (GetChildIndex(&varChild) != CHILDID_SELF) {
        return E_INVALIDARG;
    }
    if (m_hWnd == nullptr) {
        return E_FAIL;
    }
    CRect rect;
    ::GetWindowRect(m_hWnd, &rect);
    *pxLeft = rect.left;
    *pyTop = rect.top;
    *pcxWidth = rect.Width();
    *pcyHeight = rect.Height();
    return S_OK;
}

HRESULT CUTKDockingPaneTabbedContainer::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == nullptr) {
        return E_POINTER;
    }
    ::VariantInit(pvarChild);
    if (m_hWnd == nullptr) {
        return S_FALSE;
    }
    CRect window;
    ::GetWindowRect(m_hWnd, &window);
    if (!window.PtInRect(CPoint(xLeft, yTop))) {
        return S_FALSE;
    }
    CPoint point(xLeft, yTop);
    ::ScreenToClient(m_hWnd, &point);
    const int hit = HitTest(point);
    if (hit == kHitCaption) {
        pvarChild->vt = VT_I4;
        pvarChild->lVal = CHILDID_SELF;
        return S_OK;
    }
    if (CUTKDockingPane* pane = GetPaneByTab(hit); pane != nullptr) {
        pvarChild->vt = VT_DISPATCH;
        pvarChild->pdispVal = PaneDispatch(pane);
        return S_OK;
    }
    if (m_pSelectedPane != nullptr && m_pSelectedPane->HasWindow()) {
        IDispatch* dispatch = nullptr;
        if (SUCCEEDED(AccessibleObjectFromWindow(m_pSelectedPane->GetHandle(),
                                                 static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                                 reinterpret_cast<void**>(&dispatch)))) {
            pvarChild->vt = VT_DISPATCH;
            pvarChild->pdispVal = dispatch;
            return S_OK;
        }
    }
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}
