// CUTKCommandBar: Active Accessibility. The bar is the object, its controls are children
// 1..count; every child id is range-checked (negatives too) before a control is touched.
#include "toolkit/commandbars/CUTKCommandBar.h"

#include "toolkit/controls/CUTKControl.h"
#include "toolkit/controls/CUTKControls.h"

namespace {

// 0 for the bar, 1..count for a control, -1 for anything else.
long ChildOf(const VARIANT& varChild, int count)
{
    const long id = CUTKAccessible::GetChildIndex(&varChild);
    if (id < 0 || id > count)
        return -1;
    return id;
}

} // namespace

HRESULT CUTKCommandBar::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr)
        return E_POINTER;
    *ppdispParent = nullptr;
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return E_FAIL;
    return AccessibleObjectFromWindow(m_hWnd, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(ppdispParent));
}

HRESULT CUTKCommandBar::get_accChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_POINTER;
    *pcountChildren = GetControlCount();
    return S_OK;
}

HRESULT CUTKCommandBar::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr)
        return E_POINTER;
    *ppdispChild = nullptr;
    const long id = ChildOf(varChild, GetControlCount());
    if (id <= 0)
        return E_INVALIDARG;
    CUTKControl* pControl = GetControl(static_cast<int>(id - 1));
    IAccessible* pAccessible = pControl->GetAccessible();
    pAccessible->AddRef();
    *ppdispChild = pAccessible;
    return S_OK;
}

HRESULT CUTKCommandBar::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == nullptr)
        return E_POINTER;
    *pszName = nullptr;
    const long id = ChildOf(varChild, GetControlCount());
    if (id < 0)
        return E_INVALIDARG;
    CString name;
    if (id == 0) {
        name = m_strTitle;
    } else {
        CUTKControl* pControl = GetControl(static_cast<int>(id - 1));
        name = pControl->GetCaption();
        name.Replace(L"&", L"");
        const CString shortcut = pControl->GetShortcutText();
        if (!shortcut.IsEmpty())
            name += L"\t" + shortcut;
    }
    *pszName = ::SysAllocString(name);
    return *pszName != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CUTKCommandBar::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == nullptr)
        return E_POINTER;
    ::VariantInit(pvarRole);
    const long id = ChildOf(varChild, GetControlCount());
    if (id < 0)
        return E_INVALIDARG;
    pvarRole->vt = VT_I4;
    if (id > 0)
        pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    else if (m_barType == utkBarTypeMenuBar)
        pvarRole->lVal = ROLE_SYSTEM_MENUBAR;
    else if (m_barType == utkBarTypePopup)
        pvarRole->lVal = ROLE_SYSTEM_MENUPOPUP;
    else
        pvarRole->lVal = ROLE_SYSTEM_TOOLBAR;
    return S_OK;
}

HRESULT CUTKCommandBar::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == nullptr)
        return E_POINTER;
    ::VariantInit(pvarState);
    const long id = ChildOf(varChild, GetControlCount());
    if (id < 0)
        return E_INVALIDARG;
    pvarState->vt = VT_I4;
    pvarState->lVal = IsVisible() ? 0 : STATE_SYSTEM_INVISIBLE;
    if (id > 0) {
        pvarState->lVal |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
        if (id - 1 == m_nSelected)
            pvarState->lVal |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_SELECTED;
    }
    return S_OK;
}

HRESULT CUTKCommandBar::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                    VARIANT varChild)
{
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    const long id = ChildOf(varChild, GetControlCount());
    if (id < 0)
        return E_INVALIDARG;
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return S_OK;
    CRect rc;
    if (id == 0) {
        ::GetWindowRect(m_hWnd, &rc);
    } else {
        rc = GetControl(static_cast<int>(id - 1))->GetRect();
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        rc.NormalizeRect();
    }
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CUTKCommandBar::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == nullptr)
        return E_POINTER;
    ::VariantInit(pvarChild);
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return S_FALSE;
    CRect rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    if (!rcWindow.PtInRect(CPoint(xLeft, yTop)))
        return S_FALSE;
    CPoint pt(xLeft, yTop);
    ::ScreenToClient(m_hWnd, &pt);
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    if (CUTKControl* pControl = m_pControls->HitTest(pt))
        pvarChild->lVal = pControl->GetIndex() + 1;
    return S_OK;
}

CCmdTarget* CUTKCommandBar::GetAccessibleOwner() { return this; }

LRESULT CUTKCommandBar::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const LONG objectId = static_cast<LONG>(lParam);
    if (objectId >= 1 && objectId <= 0xFFFFFE) {
        // An id names a control by its command id; look it up, never index by it.
        for (int i = 0; i < GetControlCount(); ++i) {
            CUTKControl* pControl = GetControl(i);
            if (pControl->GetID() == objectId)
                return LresultFromObject(IID_IAccessible, wParam, pControl->GetAccessible());
        }
        return Default();
    }
    if (objectId == OBJID_CLIENT || objectId == OBJID_MENU)
        return LresultFromObject(IID_IAccessible, wParam, GetAccessible());
    return Default();
}
