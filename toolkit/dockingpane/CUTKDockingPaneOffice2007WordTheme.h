// Docking theme 11: Word-style panes framed in the splitter colour, solid caption bands; its
// colours come only from the Office 2007 image set and stay unset without one.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneOffice2003Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneOffice2007WordTheme : public CUTKDockingPaneOffice2003Theme {
public:
    CUTKDockingPaneOffice2007WordTheme();
    void DrawPane(CDC* dc, DockingCaptionOwner* container, CRect rect) override;
    void DrawCaption(CDC* dc, DockingCaptionOwner* container, CRect rect) override;
    void RefreshMetrics() override;
    void AdjustClientRect(DockingCaptionOwner* container, CRect& rect, BOOL apply) override;
    void DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner, CRect rect, const CString& title,
                         BOOL active, BOOL vertical) override;
    // Without the image set's splitter colour the splitter takes colour table entry 54, the
    // entry the same key would have filled.
    void DrawSplitter(CDC* dc, CRect client, BOOL horizontal, HWND splitter,
                      HWND frame) override;
};

}  // namespace UTKDockingPanePaintThemes
