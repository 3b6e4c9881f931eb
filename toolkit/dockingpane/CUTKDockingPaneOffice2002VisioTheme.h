// Docking theme 5 (and, unchanged, 18 and 19): panes framed on a face that follows the active
// state, tabs on top, captions with black buttons and four thin lines after the title.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2003Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneOffice2002VisioTheme : public CUTKDockingPaneVisualStudio2003Theme {
public:
    CUTKDockingPaneOffice2002VisioTheme();
    void DrawPane(CDC* dc, DockingCaptionOwner* container, CRect rect) override;
    void DrawCaption(CDC* dc, DockingCaptionOwner* container, CRect rect) override;
    void RefreshMetrics() override;
    void AdjustCaptionRect(DockingCaptionOwner* container, CRect& rect) override;
    void DrawFloatingFrame(CDC* dc, DockingCaptionOwner* frame, CRect rect) override;

    // The caption's rectangle inside a container's rectangle: the band less its margins,
    // 3 pixels in from the pane's edges.
    CRect GetVisioCaptionRect(DockingCaptionOwner* container, CRect rect) const;

protected:
    // Four one-pixel lines at -3, -1, +1 and +3 from the middle, from start to end along the
    // caption.
    void DrawCaptionLines(CDC* dc, CRect rect, int start, int end, BOOL vertical,
                          COLORREF color) const;
};

}  // namespace UTKDockingPanePaintThemes
