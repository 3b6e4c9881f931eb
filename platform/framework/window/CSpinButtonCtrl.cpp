// CSpinButtonCtrl wrapper.
#include "platform/framework/window/CSpinButtonCtrl.h"

IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CSpinButtonCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                               UINT nID)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&icc);
    return CWnd::CreateEx(dwExStyle, UPDOWN_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}
