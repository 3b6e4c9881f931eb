// Client-area DCs.
#include "platform/framework/window/CClientDC.h"

#include "platform/framework/window/CWnd.h"

IMPLEMENT_DYNAMIC(CClientDC, CDC)

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(CWnd::HwndOf(pWnd))
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
