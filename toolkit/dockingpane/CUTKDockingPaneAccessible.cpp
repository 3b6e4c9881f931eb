// A docking pane seen by accessibility clients: a page tab whose one child is the attached
// window. Child ids other than the pane itself and that window are invalid arguments.
#include "toolkit/dockingpane/CUTKDockingPane.h"

#include "toolkit/dockingpane/CUTKDockingPaneTabbedContainer.h"
#include "toolkit/tabmanager/CUTKTabManagerItem.h"

namespace {

CUTKDockingPaneTabbedContainer* Holder(CUTKDockingPaneBase* parent)
{
    if (!parent || parent->GetType() != dockingPaneTypeTabbedContainer) {
        return nullptr;
    }
    return static_cast<CUTKDockingPaneTabbedContainer*>(
        static_cast<CUTKDockingPaneBaseContainer*>(parent));
}

HRESULT AnswerString(const CString& text, BSTR* out)
{
    if (!out) {
        return E_POINTER;
    }
    *out = ::SysAllocString(text.GetString());
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

LPUNKNOWN CUTKDockingPane::GetInterfaceHook(const void* iid)
{
    const IID& riid = *static_cast<const IID*>(iid);
    if (riid == IID_IAccessible || riid == IID_IDispatch || riid == IID_IUnknown) {
        return GetAccessible();
    }
    return CCmdTarget::GetInterfaceHook(iid);
}

HRESULT CUTKDockingPane::get_accParent(IDispatch** ppdispParent)
{
    if (!ppdispParent) {
        return E_POINTER;
    }
    *ppdispParent = nullptr;
    CUTKDockingPaneTabbedContainer* holder = Holder(m_pParentContainer);
    if (!holder) {
        return E_FAIL;
    }
    *ppdispParent = holder->GetIDispatch(TRUE);
    return *ppdispParent ? S_OK : E_FAIL;
}

HRESULT CUTKDockingPane::get_accChildCount(long* pcountChildren)
{
    if (!pcountChildren) {
        return E_POINTER;
    }
    *pcountChildren = m_hwndChild ? 1 : 0;
    return S_OK;
}

HRESULT CUTKDockingPane::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild) {
        return E_POINTER;
    }
    *ppdispChild = nullptr;
    if (GetChildIndex(&varChild) != 1 || !m_hwndChild) {
        return E_INVALIDARG;
    }
    return AccessibleObjectFromWindow(m_hwndChild, static_cast<DWORD>(OBJID_WINDOW),
                                      IID_IDispatch, reinterpret_cast<void**>(ppdispChild));
}

HRESULT CUTKDockingPane::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF) {
        return E_INVALIDARG;
    }
    return AnswerString(GetTabCaption(), pszName);
}

HRESULT CUTKDockingPane::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF) {
        return E_INVALIDARG;
    }
    return AnswerString(GetTitle(), pszDescription);
}

HRESULT CUTKDockingPane::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!pvarRole) {
        return E_POINTER;
    }
    ::VariantInit(pvarRole);
    if (GetChildIndex(&varChild) != CHILDID_SELF) {
        return E_INVALIDARG;
    }
    pvarRole->vt = VT_I4;
    pvarRole->lVal = ROLE_SYSTEM_PAGETAB;
    return S_OK;
}

HRESULT CUTKDockingPane::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (!pvarState) {
        return E_POINTER;
    }
    ::VariantInit(pvarState);
    if (GetChildIndex(&varChild) != CHILDID_SELF) {
        return E_INVALIDARG;
    }
    long state = STATE_SYSTEM_SELECTABLE;
    if (IsClosed()) {
        state |= STATE_SYSTEM_INVISIBLE;
    }
    if (IsSelected()) {
        state |= STATE_SYSTEM_SELECTED;
    }
    pvarState->vt = VT_I4;
    pvarState->lVal = state;
    return S_OK;
}

HRESULT CUTKDockingPane::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF) {
        return E_INVALIDARG;
    }
    return AnswerString(CString(L"Switch"), pszDefaultAction);
}

HRESULT CUTKDockingPane::accSelect(long flagsSelect, VARIANT varChild)
{
    (void)flagsSelect;
    if (GetChildIndex(&varChild) != CHILDID_SELF) {
        return E_INVALIDARG;
    }
    Select();
    return S_OK;
}

HRESULT CUTKDockingPane::accDoDefaultAction(VARIANT varChild)
{
    if (GetChildIndex(&varChild) != CHILDID_SELF) {
        return E_INVALIDARG;
    }
    Select();
    return S_OK;
}

HRESULT CUTKDockingPane::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                     VARIANT varChild)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight) {
        return E_POINTER;
    }
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    CRect rect;
    const long child = GetChildIndex(&varChild);
    if (child == 1 && m_hwndChild) {
        ::GetWindowRect(m_hwndChild, &rect);
    } else if (child == CHILDID_SELF) {
        CUTKDockingPaneTabbedContainer* holder = Holder(m_pParentContainer);
        if (!holder || !holder->GetSafeHwnd()) {
            return S_FALSE;
        }
        holder->CWnd::GetWindowRect(&rect);
        if (holder->GetItemCount() >= 2) {
            for (int i = 0; i < holder->GetItemCount(); ++i) {
                if (holder->GetPaneByTab(i) == this) {
                    CRect tab = holder->GetItem(i)->GetRect();
                    holder->ClientToScreen(&tab);
                    rect = tab;
                    break;
                }
            }
        }
    } else {
        return E_INVALIDARG;
    }
    *pxLeft = rect.left;
    *pyTop = rect.top;
    *pcxWidth = rect.Width();
    *pcyHeight = rect.Height();
    return S_OK;
}

HRESULT CUTKDockingPane::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    (void)xLeft;
    (void)yTop;
    if (!pvarChild) {
        return E_POINTER;
    }
    ::VariantInit(pvarChild);
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return S_OK;
}
