// CUTKDockContext: the mouse tracking that drags and sizes a toolbar, and its window-free rules.
#include "toolkit/commandbars/CUTKDockContext.h"

#include "toolkit/commandbars/CUTKCommandBar.h"

CUTKDockContext::CUTKDockContext(CUTKToolBar* pBar) : m_pBar(pBar) {}
CUTKDockContext::~CUTKDockContext() = default;
void CUTKDockContext::StartDrag(int, int) {}
void CUTKDockContext::StartResize(int, int, int) {}
BOOL CUTKDockContext::ToggleDocking() { return FALSE; }
void CUTKDockContext::Track() {}
CRect CUTKDockContext::MoveToContain(CRect rc, CPoint) { return rc; }
CRect CUTKDockContext::KeepRectOnScreen(CRect rc, CRect) { return rc; }
CUTKCommandBar* CUTKDockContext::GetCommandBar() const { return nullptr; }

LONG* GetMinTrackSizeRef(MINMAXINFO* pMinMax, BOOL bHorizontal)
{
    return bHorizontal ? &pMinMax->ptMinTrackSize.x : &pMinMax->ptMinTrackSize.y;
}
LONG* GetMaxTrackSizeRef(MINMAXINFO* pMinMax, BOOL bHorizontal)
{
    return bHorizontal ? &pMinMax->ptMaxTrackSize.x : &pMinMax->ptMaxTrackSize.y;
}
