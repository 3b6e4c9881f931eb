// The Window menu's list of MDI child windows: at each layout the placeholder hides itself and
// puts one numbered item per visible child (at most nine) after itself, the active child
// checked; in customisation mode it shows as an ordinary item.
#pragma once

#include "toolkit/controls/CUTKControlButton.h"

class CUTKControlWindowList : public CUTKControlButton {
    DECLARE_SERIAL(CUTKControlWindowList)

public:
    static constexpr int kMaxWindows = 9;
    static constexpr UINT kPromptStringId = 0xEF1F;

    CUTKControlWindowList();

    void OnCalcDynamicSize(DWORD layoutFlags) override;
    BOOL IsCustomizeDragOverAvail(CUTKCommandBar* bar, CPoint point, DWORD& effect) override;
    CUTKControl* Clone(BOOL recursive = FALSE) override;

    // The process-wide id of the first MDI child the list looks for (0xFF00 at start; an
    // active child numbered from 0x8000 or from 1 moves it there).
    static UINT GetFirstWindowId();
    static void SetFirstWindowId(UINT id);

private:
    int m_nGenerated = 0;  // items made by the last expansion
};
