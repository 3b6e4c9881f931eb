// CComboBox wrapper.
#include "platform/framework/window/CComboBox.h"

#include "platform/framework/window/OwnerDrawReflect.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CComboBox::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID)
{
    return CWnd::CreateEx(dwExStyle, L"COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    rString.Empty();
    const int length = GetLBTextLen(nIndex);
    if (length == CB_ERR) {
        return;
    }
    LPTSTR buffer = rString.GetBuffer(length + 1);
    const int got = GetLBText(nIndex, buffer);
    rString.ReleaseBuffer(got == CB_ERR ? 0 : got);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ReflectOwnerDraw(*this, message, lParam, pResult)) {
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
