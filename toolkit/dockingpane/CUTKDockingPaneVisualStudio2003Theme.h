// Docking theme 1: captions outlined when inactive (or painted in the caption gradients when
// the gradient switch is on), 14-pixel buttons two pixels apart.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneGripperedTheme.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneVisualStudio2003Theme : public CUTKDockingPaneGripperedTheme {
public:
    // The panel strips' colours: the Visual Studio 2003 set, framed in the dark shadow colour
    // when the tabs are flat.
    class COfficePanelColorSet;

    CUTKDockingPaneVisualStudio2003Theme();
    void RefreshMetrics() override;
    void DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner, CRect rect, const CString& title,
                         BOOL active, BOOL vertical) override;
    // Paints the caption background and answers the text colour.
    virtual COLORREF DrawCaptionBackground(CDC* dc, DockingCaptionOwner* owner, CRect rect,
                                           BOOL active, BOOL vertical);

    BOOL m_bGradientCaption = FALSE;

protected:
    static CUTKTabPaintManager::CColorSet* CreateOfficePanelColorSet();
};

}  // namespace UTKDockingPanePaintThemes
