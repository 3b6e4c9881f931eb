// Docking theme 4: face-coloured captions with two raised gripper bars after the title.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneDefaultTheme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneGripperedTheme : public CUTKDockingPaneDefaultTheme {
public:
    CUTKDockingPaneGripperedTheme();
    void DrawCaption(CDC* dc, DockingCaptionOwner* container, CRect rect) override;
    void RefreshMetrics() override;
    void DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner, CRect rect, const CString& title,
                         BOOL active, BOOL vertical) override;
};

}  // namespace UTKDockingPanePaintThemes
