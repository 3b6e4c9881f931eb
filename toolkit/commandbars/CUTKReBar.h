// CUTKReBar: a frame's rebar that holds command-bar toolbars as bands. The manager finds it as
// the frame's child 0xE804 and moves toolbars into it; each band's id is its toolbar's bar id.
#pragma once

#include <windows.h>

#include "platform/framework/frame/CReBar.h"

class CUTKToolBar;

class CUTKReBar : public CReBar {
    DECLARE_DYNCREATE(CUTKReBar)

public:
    // The mode a toolbar lays itself out in as a band, and the length it is given.
    static constexpr int kBandLength = 32000;
    static constexpr DWORD kBandLayoutMode = LM_HORZ | LM_HORZDOCK | LM_COMMIT;

    // Takes the toolbar out of its dock bar and adds it as the last band, its id the bar id.
    BOOL AddToolBar(CUTKToolBar* pToolBar, DWORD dwStyle);
    // The toolbar a band holds, or null.
    CUTKToolBar* GetBandToolBar(int nBand) const;
    // The band holding the toolbar, searched from the last; -1 when none does.
    int FindBand(CUTKToolBar* pToolBar) const;
};
