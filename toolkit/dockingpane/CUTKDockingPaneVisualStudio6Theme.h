// Docking theme 14: untitled captions of two raised bars behind push-button caption buttons.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneGripperedTheme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneVisualStudio6Theme : public CUTKDockingPaneGripperedTheme {
public:
    CUTKDockingPaneVisualStudio6Theme();
    void DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner, CRect rect, const CString& title,
                         BOOL active, BOOL vertical) override;
};

}  // namespace UTKDockingPanePaintThemes
