// The tab workspace's group commands in a menu (new horizontal or vertical group, move to the
// next or previous group): at each layout the placeholder puts the commands the tabbed MDI
// client enables after itself. Without a tabbed MDI client nothing is generated.
#pragma once

#include "toolkit/controls/CUTKControlButton.h"

class CUTKControlWorkspaceActions : public CUTKControlButton {
    DECLARE_SERIAL(CUTKControlWorkspaceActions)

public:
    static constexpr int kFirstActionId = 9155;
    static constexpr int kLastActionId = 9158;

    CUTKControlWorkspaceActions();

    void OnCalcDynamicSize(DWORD layoutFlags) override;
    CUTKControl* Clone(BOOL recursive = FALSE) override;

    // The ids in the order they are offered.
    static const int* GetActionOrder(int* count);

private:
    int m_nGenerated = 0;
};
