// Docking theme 2: captions in the Office 2003 gradients of the current colour scheme, with
// gripper dots before the title, highlight-filled caption buttons and a face-coloured band.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2003Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneOffice2003Theme : public CUTKDockingPaneVisualStudio2003Theme {
public:
    CUTKDockingPaneOffice2003Theme();
    void DrawSidePanel(CDC* dc, DockingCaptionOwner* panel, CRect rect) override;
    CRect GetSidePanelCaptionRect(DockingCaptionOwner* panel) override;
    void DrawCaption(CDC* dc, DockingCaptionOwner* container, CRect rect) override;
    void RefreshMetrics() override;
    CRect GetCaptionGripperRect(DockingCaptionOwner* container) override;
    void DrawFloatingFrame(CDC* dc, DockingCaptionOwner* frame, CRect rect) override;
    void DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner, CRect rect, const CString& title,
                         BOOL active, BOOL vertical) override;

    BOOL m_bCaptionGripperDots = TRUE;
    BOOL m_bCaptionBand = TRUE;

protected:
    // The rectangle a tabbed container's caption takes: caption height + 3 thick.
    CRect GetOfficeCaptionRect(DockingCaptionOwner* container, CRect rect) const;
    // The caption gradient of an owner's state across the caption.
    void FillCaptionGradient(CDC* dc, CRect rect, BOOL active, BOOL vertical);
    // The scheme rows: table overrides, splitter and caption colours by colour scheme.
    void ApplySchemeColors(int scheme);
};

}  // namespace UTKDockingPanePaintThemes
