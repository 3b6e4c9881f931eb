// Header control wrapper.
#include "platform/framework/window/CHeaderCtrl.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    return CWnd::CreateEx(0, WC_HEADERW, nullptr, dwStyle, rect, pParentWnd, nID);
}
