// CRichEditCtrl wrapper.
#include "platform/framework/window/CRichEditCtrl.h"

#include "platform/framework/window/CWinApp.h"
#include "platform/framework/window/CImageList.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CRichEditCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                             UINT nID)
{
    AfxInitRichEdit2();
    return CWnd::CreateEx(dwExStyle, RICHEDIT_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}

CString CRichEditCtrl::GetSelText() const
{
    CHARRANGE cr{};
    GetSel(cr);
    CString text;
    if (cr.cpMax <= cr.cpMin) {
        return text;
    }
    // Room for the selection (CR LF pairs may come back as CR only, never longer).
    LPTSTR buffer = text.GetBuffer(static_cast<int>(cr.cpMax - cr.cpMin) + 1);
    const LRESULT got = SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer(static_cast<int>(got));
    return text;
}
