// Docking theme 6: gradient captions and frame-gradient splitters in the scheme's colours,
// flat tabs without frames.
#pragma once

#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2003Theme.h"
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSets.h"

namespace UTKDockingPanePaintThemes {

class CUTKDockingPaneVisualStudio2005Beta1Theme : public CUTKDockingPaneVisualStudio2003Theme {
public:
    // The tab colours of the Visual Studio 2005 docking themes: Office 2003 faces over a header
    // gradient spread across the strip's top-level window. The pane set frames in the window
    // text colour and marks its selected tab.
    class CColorSetVisualStudio2005 : public CUTKTabPaintManager::CColorSetOffice2003 {
    public:
        explicit CColorSetVisualStudio2005(BOOL paneSet) : m_bPaneSet(paneSet) {}
        void RefreshMetrics() override;
        void FillHeader(CDC* dc, CRect rect, CUTKTabManager* manager) override;
        COLORREF FillPropertyButton(CDC* dc, CRect rect, CUTKTabManagerItem* item) override;

        BOOL m_bPaneSet;
        // Tabs draw with the Office 2003 faces (a Windows colour scheme applies).
        BOOL m_bLunaDrawing = FALSE;
        // Only the pane set's selected tab is drawn.
        BOOL m_bHideTabs = FALSE;
    };
    // The same in the Visual Studio 2003 greys: no scheme faces, a fixed frame colour.
    class CColorSetVisualStudio2003 : public CColorSetVisualStudio2005 {
    public:
        explicit CColorSetVisualStudio2003(BOOL paneSet) : CColorSetVisualStudio2005(paneSet) {}
        void RefreshMetrics() override;
    };

    CUTKDockingPaneVisualStudio2005Beta1Theme();
    void RefreshMetrics() override;

protected:
    // Appearance 2 on a tab paint manager with its frame option off.
    static void SetFramelessFlatAppearance(CUTKTabPaintManager* tabs, BOOL gradientFace);
};

}  // namespace UTKDockingPanePaintThemes
