// Application base of a framework-based shared library.
#include "video/CAoAfxDll.h"

#include "WinNT_SP/Include_VS2005/TraceScope.h"

BEGIN_MESSAGE_MAP(CAoAfxDll, CWinApp)
END_MESSAGE_MAP()

BOOL CAoAfxDll::InitInstance()
{
    TRACE_FUNCTION();
    DisableThreadLibraryCalls(m_hInstance ? m_hInstance : AfxGetInstanceHandle());
    return TRUE;
}

int CAoAfxDll::ExitInstance()
{
    TRACE_FUNCTION();
    return CWinApp::ExitInstance();
}
