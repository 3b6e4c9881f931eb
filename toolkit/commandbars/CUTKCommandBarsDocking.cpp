// CUTKCommandBars: docking of its toolbars through the frame's dock bars and its rebar.
#include "toolkit/commandbars/CUTKCommandBars.h"

#include "toolkit/commandbars/CUTKToolBar.h"

CUTKDockBar* CUTKCommandBars::GetDockBar(int position) const
{
    if (position < 0 || position > 3)
        return nullptr;
    return m_pDocks[position];
}

BOOL CUTKCommandBars::IsNearDockRect(const RECT& rcDockBar, CPoint point)
{
    CRect rect(rcDockBar);
    rect.InflateRect(kDockMargin, kDockMargin);
    return rect.PtInRect(point);
}

BOOL CUTKCommandBars::DockCommandBar(CUTKToolBar* pBar, LPCRECT, CUTKDockBar* pDockBar)
{
    if (pBar == nullptr || pDockBar == nullptr)
        return FALSE;
    return FALSE;
}

BOOL CUTKCommandBars::DockCommandBar(CUTKToolBar* pBar, int position)
{
    if (position < 0 || position > 3)
        return FALSE;
    return DockCommandBar(pBar, nullptr, m_pDocks[position]);
}

BOOL CUTKCommandBars::FloatCommandBar(CUTKToolBar* pBar)
{
    if (pBar == nullptr || !pBar->Create(m_pFrame, TRUE))
        return FALSE;
    TakeOutOfDockBar(pBar);
    pBar->SetBarPosition(utkBarFloating);
    return TRUE;
}

CUTKDockBar* CUTKCommandBars::CanDock(CPoint, CUTKDockBar*) const { return nullptr; }

void CUTKCommandBars::TakeOutOfDockBar(CUTKToolBar*) {}

void CUTKCommandBars::GetDockRow(CUTKToolBar*, CArray<CUTKToolBar*, CUTKToolBar*>& row) const
{
    row.RemoveAll();
}

void CUTKCommandBars::DestroyDockBars() {}

CWnd* CUTKCommandBars::GetCustomizeWindow() const { return m_pFrame; }

void CUTKCommandBars::SetDropSource(CUTKCustomizeDropSource* pDropSource)
{
    m_pDropSource = pDropSource;
}

CUTKReBar* CUTKCommandBars::GetReBar() const { return nullptr; }

BOOL CUTKCommandBars::DockInReBar(CUTKToolBar*) { return FALSE; }

void CUTKCommandBars::RemoveFromReBar(CUTKToolBar*) {}
