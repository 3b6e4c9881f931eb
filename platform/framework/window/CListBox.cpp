// CListBox wrapper.
#include "platform/framework/window/CListBox.h"

#include "platform/framework/window/OwnerDrawReflect.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CListBox::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID)
{
    return CWnd::CreateEx(dwExStyle, L"LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    rString.Empty();
    const int length = GetTextLen(nIndex);
    if (length == LB_ERR) {
        return;
    }
    LPTSTR buffer = rString.GetBuffer(length + 1);
    const int got = GetText(nIndex, buffer);
    rString.ReleaseBuffer(got == LB_ERR ? 0 : got);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ReflectOwnerDraw(*this, message, lParam, pResult)) {
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
