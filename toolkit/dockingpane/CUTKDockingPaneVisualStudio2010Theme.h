// Docking theme 17: theme 16's construction with the Beta 2 colours and tab colour set 256.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2008Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneVisualStudio2010Theme : public CUTKDockingPaneVisualStudio2008Theme {
public:
    CUTKDockingPaneVisualStudio2010Theme() = default;
    void RefreshMetrics() override;
};

}  // namespace UTKDockingPanePaintThemes
