// Docking theme 6: gradient captions and frame-gradient splitters in the scheme's colours,
// flat tabs without frames.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2003Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneVisualStudio2005Beta1Theme : public CUTKDockingPaneVisualStudio2003Theme {
public:
    CUTKDockingPaneVisualStudio2005Beta1Theme();
    void RefreshMetrics() override;

protected:
    // Appearance 2 on a tab paint manager with its frame option off.
    static void SetFramelessFlatAppearance(CUTKTabPaintManager* tabs, BOOL gradientFace);
};

}  // namespace UTKDockingPanePaintThemes
