// The Edit menu's object verbs: at each layout the placeholder hides itself and, when the
// active view's OLE document has exactly one selected item that is not in-place active, puts
// a popup with the item's verbs after itself.
#pragma once

#include "toolkit/controls/CUTKControlButton.h"

class CUTKControlOleItems : public CUTKControlButton {
    DECLARE_SERIAL(CUTKControlOleItems)

public:
    static constexpr UINT kFirstVerbId = 0xE210;
    static constexpr UINT kLastVerbId = 0xE21F;

    CUTKControlOleItems();

    void OnCalcDynamicSize(DWORD layoutFlags) override;
    BOOL IsCustomizeDragOverAvail(CUTKCommandBar* bar, CPoint point, DWORD& effect) override;
    CUTKControl* Clone(BOOL recursive = FALSE) override;
};
