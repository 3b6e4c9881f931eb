// Docking theme 8: captions on the rebar background of the visual style, toolbar-style caption
// buttons, native tabs when the rebar style is in use.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneGripperedTheme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneWinExplorerTheme : public CUTKDockingPaneGripperedTheme {
public:
    CUTKDockingPaneWinExplorerTheme();
    ~CUTKDockingPaneWinExplorerTheme() override;
    void RefreshMetrics() override;
    void DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner, CRect rect, const CString& title,
                         BOOL active, BOOL vertical) override;
    BOOL IsRebarThemeActive();

protected:
    CUTKWinThemeWrapper m_themeRebar;
};

}  // namespace UTKDockingPanePaintThemes
