// CUTKControl's Active Accessibility answers: the control speaks for itself only (child id 0);
// every other child id, negative ones included, is E_INVALIDARG before anything is touched.
#include "toolkit/controls/CUTKControl.h"

#include "toolkit/commandbars/CUTKCommandBar.h"

namespace {

HRESULT AnswerText(const CString& text, BSTR* result)
{
    if (!result) {
        return E_POINTER;
    }
    *result = ::SysAllocString(text.GetString());
    return *result ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

BOOL CUTKControl::IsSelfChild(const VARIANT& varChild)
{
    return GetChildIndex(&varChild) == CHILDID_SELF;
}

CCmdTarget* CUTKControl::GetAccessibleOwner()
{
    return this;
}

HRESULT CUTKControl::get_accParent(IDispatch** ppdispParent)
{
    if (!ppdispParent) {
        return E_POINTER;
    }
    *ppdispParent = nullptr;
    if (!m_parent) {
        return E_FAIL;
    }
    IAccessible* parent = m_parent->GetAccessible();
    parent->AddRef();
    *ppdispParent = parent;
    return S_OK;
}

HRESULT CUTKControl::get_accChildCount(long* pcountChildren)
{
    if (!pcountChildren) {
        return E_POINTER;
    }
    *pcountChildren = GetCommandBar() ? 1 : 0;
    return S_OK;
}

HRESULT CUTKControl::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (!ppdispChild) {
        return E_POINTER;
    }
    *ppdispChild = nullptr;
    CUTKCommandBar* bar = GetCommandBar();
    if (GetChildIndex(&varChild) == 1 && bar) {
        IAccessible* child = bar->GetAccessible();
        child->AddRef();
        *ppdispChild = child;
        return S_OK;
    }
    return E_INVALIDARG;
}

HRESULT CUTKControl::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (!IsSelfChild(varChild)) {
        return E_INVALIDARG;
    }
    return AnswerText(GetAccessibleName(), pszName);
}

HRESULT CUTKControl::get_accValue(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CUTKControl::get_accHelp(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CUTKControl::get_accHelpTopic(BSTR*, VARIANT, long*) { return E_NOTIMPL; }
HRESULT CUTKControl::accNavigate(long, VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CUTKControl::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CUTKControl::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CUTKControl::get_accFocus(VARIANT*) { return S_FALSE; }
HRESULT CUTKControl::get_accSelection(VARIANT*) { return S_FALSE; }

HRESULT CUTKControl::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (!IsSelfChild(varChild)) {
        return E_INVALIDARG;
    }
    return AnswerText(GetDescription(), pszDescription);
}

HRESULT CUTKControl::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (!pvarRole) {
        return E_POINTER;
    }
    if (!IsSelfChild(varChild)) {
        return E_INVALIDARG;
    }
    ::VariantInit(pvarRole);
    pvarRole->vt = VT_I4;
    const int barType = m_parent ? m_parent->GetType() : -1;
    if (barType == utkBarTypeNormal || barType == 3) {
        pvarRole->lVal = GetCommandBar() ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
    } else {
        pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
    }
    return S_OK;
}

HRESULT CUTKControl::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (!pvarState) {
        return E_POINTER;
    }
    if (!IsSelfChild(varChild)) {
        return E_INVALIDARG;
    }
    long state = STATE_SYSTEM_FOCUSABLE;
    if (m_selected) {
        state |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED;
    }
    const BOOL barHidden = m_parent && m_parent->GetSafeHwnd() &&
                           !::IsWindowVisible(m_parent->GetSafeHwnd());
    if (barHidden || !IsVisible()) {
        state |= STATE_SYSTEM_INVISIBLE;
    }
    if (!GetEnabled()) {
        state |= STATE_SYSTEM_UNAVAILABLE;
    }
    if (GetChecked()) {
        state |= STATE_SYSTEM_CHECKED;
    }
    if (GetPressed()) {
        state |= STATE_SYSTEM_PRESSED;
    }
    if (GetCommandBar()) {
        state |= STATE_SYSTEM_HASPOPUP;
    }
    ::VariantInit(pvarState);
    pvarState->vt = VT_I4;
    pvarState->lVal = state;
    return S_OK;
}

HRESULT CUTKControl::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszShortcut)
{
    if (!IsSelfChild(varChild)) {
        return E_INVALIDARG;
    }
    const CString caption = GetCaption();
    CString key;
    const int length = caption.GetLength();
    for (int i = 0; i + 1 < length; ++i) {
        if (caption[i] == L'&') {
            if (caption[i + 1] == L'&') {
                ++i;  // a doubled "&&" is a plain ampersand
                continue;
            }
            key = caption.Mid(i + 1, 1);
            break;
        }
    }
    if (key.IsEmpty() && length > 0) {
        key = caption.Left(1);
    }
    return AnswerText(key, pszShortcut);
}

HRESULT CUTKControl::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (!IsSelfChild(varChild)) {
        return E_INVALIDARG;
    }
    return AnswerText(CString(L"Click"), pszDefaultAction);
}

HRESULT CUTKControl::accSelect(long, VARIANT varChild)
{
    if (!IsSelfChild(varChild)) {
        return E_INVALIDARG;
    }
    if (m_parent) {
        m_parent->SetTrackingMode(TRUE, FALSE, TRUE);
        m_parent->SetSelected(m_index, utkSelectKeyboard);
    }
    return S_OK;
}

HRESULT CUTKControl::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                 VARIANT varChild)
{
    if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight) {
        return E_POINTER;
    }
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    if (!IsSelfChild(varChild)) {
        return E_INVALIDARG;
    }
    if (!m_parent || !m_parent->GetSafeHwnd() || !IsVisible()) {
        return S_OK;
    }
    CRect rc = m_rcControl;
    ::MapWindowPoints(m_parent->GetSafeHwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
    *pxLeft = rc.left;
    *pyTop = rc.top;
    *pcxWidth = rc.Width();
    *pcyHeight = rc.Height();
    return S_OK;
}

HRESULT CUTKControl::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (!pvarChild) {
        return E_POINTER;
    }
    ::VariantInit(pvarChild);
    if (!m_parent || !m_parent->GetSafeHwnd()) {
        return S_FALSE;
    }
    RECT window{};
    ::GetWindowRect(m_parent->GetSafeHwnd(), &window);
    const POINT screen{xLeft, yTop};
    if (!::PtInRect(&window, screen)) {
        return S_FALSE;
    }
    POINT client = screen;
    ::ScreenToClient(m_parent->GetSafeHwnd(), &client);
    pvarChild->vt = VT_I4;
    pvarChild->lVal = CHILDID_SELF;
    return m_rcControl.PtInRect(client) ? S_OK : S_FALSE;
}

HRESULT CUTKControl::accDoDefaultAction(VARIANT varChild)
{
    if (!IsSelfChild(varChild)) {
        return E_INVALIDARG;
    }
    OnClick(TRUE, CPoint(0, 0));
    return S_OK;
}
