// Docking theme 0 (also 13 and any number without a theme of its own): solid caption
// colours, push-button caption buttons, framed floating frames and side panels.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPanePaintManager.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneDefaultTheme : public CUTKDockingPanePaintManager {
public:
    CUTKDockingPaneDefaultTheme();
    void DrawSidePanel(CDC* dc, DockingCaptionOwner* panel, CRect rect) override;
    void DrawCaption(CDC* dc, DockingCaptionOwner* container, CRect rect) override;
    void RefreshMetrics() override;
    void DrawFloatingFrame(CDC* dc, DockingCaptionOwner* frame, CRect rect) override;
    virtual void DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner, CRect rect,
                                 const CString& title, BOOL active, BOOL vertical);

protected:
    // The gripper-style caption band: the container's corner filled, then the caption part.
    void DrawGripperedCaption(CDC* dc, DockingCaptionOwner* container, CRect rect, int top);
    BOOL IsOwnerActive(DockingCaptionOwner* owner) const;
};

}  // namespace UTKDockingPanePaintThemes
