// CButton wrapper.
#include "platform/framework/window/CButton.h"

#include "platform/framework/window/OwnerDrawReflect.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CButton::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(dwExStyle, L"BUTTON", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID)
{
    return CWnd::CreateEx(0, L"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

void CButton::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CButton::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CButton::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ReflectOwnerDraw(*this, message, lParam, pResult)) {
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
