// Docking theme 16: theme 9 whose tabs turn native while the rebar visual style is in use.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2005Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneVisualStudio2008Theme : public CUTKDockingPaneVisualStudio2005Theme {
public:
    CUTKDockingPaneVisualStudio2008Theme() = default;
    ~CUTKDockingPaneVisualStudio2008Theme() override;
    void RefreshMetrics() override;
    BOOL IsRebarThemeActive();

protected:
    CUTKWinThemeWrapper m_themeRebar;
};

}  // namespace UTKDockingPanePaintThemes
