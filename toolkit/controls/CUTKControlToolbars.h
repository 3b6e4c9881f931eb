// The list of toolbars (View > Toolbars): at each layout the placeholder hides itself and puts
// one checkable item per listed bar after itself; choosing an item shows or hides that bar.
#pragma once

#include "toolkit/controls/CUTKControlButton.h"

class CUTKCommandBar;

class CUTKControlToolbars : public CUTKControlButton {
    DECLARE_SERIAL(CUTKControlToolbars)

public:
    // One item of the list; its tag is the bar's index in the command bars. It reports the
    // plain button's class and clones into a plain button.
    class CUTKControlToolbar : public CUTKControlButton {
    public:
        CRuntimeClass* GetRuntimeClass() const override;
        void OnExecute() override;
        CUTKControl* Clone(BOOL recursive = FALSE) override;
    };

    static constexpr wchar_t kItemParameter[] = L"CUTKControlToolbar";
    static constexpr int kCustomizeId = 35001;

    CUTKControlToolbars();

    void OnCalcDynamicSize(DWORD layoutFlags) override;
    BOOL IsCustomizeDragOverAvail(CUTKCommandBar* bar, CPoint point, DWORD& effect) override;
    CUTKControl* Clone(BOOL recursive = FALSE) override;

    // Inserts the items of the listed bars into a bar's controls from index on; answers how
    // many controls were inserted.
    static int AddToolbarItems(CUTKCommandBar* bar, int index, int id, BOOL addCustomizeItem,
                               BOOL beginGroup);
    // Whether a bar is admitted to the toolbar list.
    static BOOL IsListed(CUTKCommandBar* bar);

private:
    int m_nGenerated = 0;
};
