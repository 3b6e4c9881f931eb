// CUTKReBar: toolbars as bands of a frame's rebar.
#include "toolkit/commandbars/CUTKReBar.h"

#include "toolkit/commandbars/CUTKDockBar.h"
#include "toolkit/commandbars/CUTKToolBar.h"

IMPLEMENT_DYNCREATE(CUTKReBar, CReBar)

namespace {

// Docked flags a band no longer has: stretch, hide-wrap and the docking side bits.
constexpr DWORD kDockedFlags = 0x1F;
constexpr DWORD kDockedStyle = 0x400000;

}  // namespace

BOOL CUTKReBar::AddToolBar(CUTKToolBar* pToolBar, DWORD dwStyle)
{
    if (pToolBar == nullptr || pToolBar->GetSafeHwnd() == nullptr || m_hWnd == nullptr)
        return FALSE;
    const CSize size = pToolBar->CalcDockingLayout(kBandLength, kBandLayoutMode);
    pToolBar->MoveWindow(0, 0, size.cx, size.cy, TRUE);
    if (CUTKDockBar* dockBar = pToolBar->GetDockBar()) {
        dockBar->RemoveBar(pToolBar);
        pToolBar->SetDockBar(nullptr);
        pToolBar->SetFlags(pToolBar->GetFlags() & ~kDockedFlags);
        pToolBar->ModifyStyle(kDockedStyle, 0);
    }
    if (!AddBar(pToolBar, nullptr, nullptr, dwStyle))
        return FALSE;
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_ID;
    band.wID = pToolBar->GetBarID();
    SetBandInfo(GetBandCount() - 1, &band);
    return TRUE;
}

CUTKToolBar* CUTKReBar::GetBandToolBar(int nBand) const
{
    // The record of the oldest controls that know a band's child (80 bytes).
    REBARBANDINFOW band{};
    band.cbSize = REBARBANDINFOW_V6_SIZE;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_SIZE;
    if (nBand < 0 || !GetBandInfo(static_cast<UINT>(nBand), &band))
        return nullptr;
    return DYNAMIC_DOWNCAST(CUTKToolBar, CWnd::FromHandlePermanent(band.hwndChild));
}

int CUTKReBar::FindBand(CUTKToolBar* pToolBar) const
{
    if (pToolBar == nullptr || m_hWnd == nullptr)
        return -1;
    for (int band = static_cast<int>(GetBandCount()) - 1; band >= 0; --band) {
        if (GetBandToolBar(band) == pToolBar)
            return band;
    }
    return -1;
}
