// CUTKCommandBars: docking of its toolbars through the frame's dock bars and its rebar, and
// the customise drag source.
#include "toolkit/commandbars/CUTKCommandBars.h"

#include "toolkit/commandbars/CUTKCustomizeDropSource.h"
#include "toolkit/commandbars/CUTKDockBar.h"
#include "toolkit/commandbars/CUTKReBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"

CRuntimeClass* CUTKCommandBars::m_pDockBarClass = RUNTIME_CLASS(CUTKDockBar);

CUTKDockBar* CUTKCommandBars::GetDockBar(int position) const
{
    if (position < 0 || position > 3)
        return nullptr;
    return m_pDocks[position];
}

void CUTKCommandBars::SetDockBar(int position, CUTKDockBar* pDockBar)
{
    if (position < 0 || position > 3 || m_pDocks[position] == pDockBar)
        return;
    if (CUTKDockBar* old = m_pDocks[position]) {
        if (old->GetSafeHwnd() != nullptr)
            old->DestroyWindow();
        delete old;
    }
    m_pDocks[position] = pDockBar;
    if (pDockBar != nullptr)
        pDockBar->SetCommandBars(this);
}

BOOL CUTKCommandBars::IsNearDockRect(const RECT& rcDockBar, CPoint point)
{
    CRect rect(rcDockBar);
    rect.InflateRect(kDockMargin, kDockMargin);
    return rect.PtInRect(point);
}

BOOL CUTKCommandBars::DockCommandBar(CUTKToolBar* pBar, LPCRECT lpRect, CUTKDockBar* pDockBar)
{
    if (pBar == nullptr || pDockBar == nullptr || pDockBar->GetSafeHwnd() == nullptr)
        return FALSE;
    if (!pBar->Create(m_pFrame, FALSE))
        return FALSE;
    pDockBar->DockBar(pBar, lpRect);
    pBar->SetBarPosition(pDockBar->GetPosition());
    return TRUE;
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

CUTKDockBar* CUTKCommandBars::CanDock(CPoint point, CUTKDockBar* pPreferred) const
{
    auto qualifies = [point](CUTKDockBar* dockBar) {
        if (dockBar == nullptr || dockBar->GetSafeHwnd() == nullptr)
            return FALSE;
        CRect rect;
        dockBar->GetWindowRect(&rect);
        return IsNearDockRect(rect, point);
    };
    if (qualifies(pPreferred))
        return pPreferred;
    for (CUTKDockBar* dockBar : m_pDocks) {
        if (qualifies(dockBar))
            return dockBar;
    }
    return nullptr;
}

void CUTKCommandBars::TakeOutOfDockBar(CUTKToolBar* pBar)
{
    if (pBar == nullptr)
        return;
    if (CUTKDockBar* dockBar = pBar->GetDockBar())
        dockBar->RemoveBar(pBar);
    pBar->SetDockBar(nullptr);
}

void CUTKCommandBars::GetDockRow(CUTKToolBar* pBar, CArray<CUTKToolBar*, CUTKToolBar*>& row) const
{
    row.RemoveAll();
    CUTKDockBar* dockBar = pBar != nullptr && pBar->IsDocked() ? pBar->GetDockBar() : nullptr;
    if (dockBar == nullptr)
        return;
    const int index = dockBar->FindBar(pBar);
    if (index > 0)
        dockBar->GetVisibleRow(index, row);
}

void CUTKCommandBars::DestroyDockBars()
{
    for (CUTKDockBar*& dockBar : m_pDocks) {
        if (dockBar == nullptr)
            continue;
        if (dockBar->GetSafeHwnd() != nullptr)
            dockBar->DestroyWindow();
        delete dockBar;
        dockBar = nullptr;
    }
}

CWnd* CUTKCommandBars::GetCustomizeWindow() const
{
    if (m_pDropSource != nullptr && m_pDropSource->GetCustomizeWindow() != nullptr)
        return m_pDropSource->GetCustomizeWindow();
    return m_pFrame;
}

void CUTKCommandBars::SetDropSource(CUTKCustomizeDropSource* pDropSource)
{
    if (pDropSource == m_pDropSource)
        return;
    delete m_pDropSource;
    m_pDropSource = pDropSource;
}

CUTKReBar* CUTKCommandBars::GetReBar() const
{
    if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr)
        return nullptr;
    HWND child = ::GetDlgItem(m_pFrame->GetSafeHwnd(), static_cast<int>(kReBarId));
    return DYNAMIC_DOWNCAST(CUTKReBar, CWnd::FromHandlePermanent(child));
}

BOOL CUTKCommandBars::DockInReBar(CUTKToolBar* pBar)
{
    CUTKReBar* reBar = GetReBar();
    if (reBar == nullptr || pBar == nullptr)
        return FALSE;
    return reBar->AddToolBar(pBar, RBBS_BREAK | RBBS_GRIPPERALWAYS);
}

void CUTKCommandBars::RemoveFromReBar(CUTKToolBar* pBar)
{
    CUTKReBar* reBar = GetReBar();
    if (reBar == nullptr || pBar == nullptr)
        return;
    const int band = reBar->FindBand(pBar);
    if (band >= 0)
        reBar->DeleteBand(static_cast<UINT>(band));
}
