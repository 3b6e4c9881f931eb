// Docking theme 3: captions, caption buttons and floating frames in the visual styles'
// "WINDOW" and "EXPLORERBAR" parts, tabs in the native tab colour set; the Visual Studio 2003
// look whenever visual styles are off.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2003Theme.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneWinNativeTheme : public CUTKDockingPaneVisualStudio2003Theme {
public:
    CUTKDockingPaneWinNativeTheme();
    void DrawSidePanel(CDC* dc, DockingCaptionOwner* panel, CRect rect) override;
    void DrawCaption(CDC* dc, DockingCaptionOwner* container, CRect rect) override;
    void RefreshMetrics() override;
    void DrawFloatingFrame(CDC* dc, DockingCaptionOwner* frame, CRect rect) override;
    void DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner, CRect rect, const CString& title,
                         BOOL active, BOOL vertical) override;
};

}  // namespace UTKDockingPanePaintThemes
