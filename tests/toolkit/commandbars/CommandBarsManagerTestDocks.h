// The four dock bars of a test frame, made the way a frame makes them and handed to its
// command bars manager.
#pragma once

#include <windows.h>

#include "platform/framework/frame/AfxFrameDefs.h"
#include "toolkit/commandbars/CUTKCommandBars.h"
#include "toolkit/commandbars/CUTKDockBar.h"

namespace orvane::test {

inline void GiveDockBars(CUTKCommandBars* bars, CWnd* frame)
{
    struct Side {
        UINT id;
        DWORD alignment;
    };
    // Top, bottom, left, right.
    const Side sides[4] = {{0xE81B, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
                           {0xE81E, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
                           {0xE81C, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
                           {0xE81D, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT}};
    for (int i = 0; i < 4; ++i) {
        auto* dock = new CUTKDockBar;
        dock->SetCommandBars(bars);
        dock->Create(frame, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | sides[i].alignment,
                     sides[i].id);
        bars->SetDockBar(i, dock);
    }
}

}  // namespace orvane::test
