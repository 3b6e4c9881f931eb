// Docking theme 10: the Office 2007 colours over the Office 2003 ones; captions are a plain
// gradient band.
#include "toolkit/dockingpane/CUTKDockingPaneOffice2007Theme.h"

#include "toolkit/dockingpane/DockingCaptionOwner.h"
#include "toolkit/dockingpane/DockingImageSetSeam.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

namespace UTKDockingPanePaintThemes {

namespace {

// A table entry from the image set; a missing key leaves the entry as it was, since the
// table has no custom value to fall back on.
void SetEntryFromImageSet(CUTKDockingPanePaintManager* paint, int entry, LPCWSTR section,
                          LPCWSTR key)
{
    const COLORREF color = GetDockingImageSetColor(section, key);
    if (color != CUTKPaintManagerColor::unset) {
        paint->SetColors(1, &entry, &color);
    }
}

}  // namespace

CUTKDockingPaneOffice2007Theme::CUTKDockingPaneOffice2007Theme()
{
    m_bCaptionBand = FALSE;
    m_bCaptionGripperDots = FALSE;
    m_dwSplitterStyle = splitterGradientVertical;
    for (CUTKTabPaintManager* tabs : {m_pPaneTabPaintManager, m_pPanelTabPaintManager}) {
        tabs->SetAppearance(10);
        tabs->m_bHotTracking = TRUE;
        tabs->m_rcItemMargin.SetRect(2, 1, 2, 1);
    }
    m_nTextCaptionMargin = 5;
}

void CUTKDockingPaneOffice2007Theme::RefreshMetrics()
{
    CUTKDockingPaneOffice2003Theme::RefreshMetrics();
    if (IsDockingImageSetLoaded()) {
        SetEntryFromImageSet(this, 54, L"Window", L"WindowFrame");
        m_clrSplitter.SetStandardValue(GetDockingImageSetColor(L"Window", L"WindowFrame"));
        SetEntryFromImageSet(this, 51, L"Window", L"ButtonFace");
        SetEntryFromImageSet(this, 20, L"Window", L"EdgeHighLightColor");
        m_clrSplitterFace.SetStandardValue(GetDockingImageSetColor(L"DockingPane", L"Splitter"));
        SetEntryFromImageSet(this, 38, L"Toolbar", L"ToolbarGripper");
        SetEntryFromImageSet(this, 43, L"Toolbar", L"MenuPopupBorder");
        m_clrSplitterGradient.SetStandardValue(
            GetDockingImageSetColor(L"DockingPane", L"SplitterLight"),
            GetDockingImageSetColor(L"DockingPane", L"SplitterDark"), 0.5f);
        m_clrNormalCaption.SetStandardValue(
            GetDockingImageSetColor(L"DockingPane", L"NormalCaptionLight"),
            GetDockingImageSetColor(L"DockingPane", L"NormalCaptionDark"), 0.25f);
        m_clrNormalCaptionText.SetStandardValue(
            GetDockingImageSetColor(L"DockingPane", L"NormalCaptionText"));
        m_clrActiveCaption.SetStandardValue(
            GetDockingImageSetColor(L"DockingPane", L"ActiveCaptionLight"),
            GetDockingImageSetColor(L"DockingPane", L"ActiveCaptionDark"), 0.25f);
        m_clrActiveCaptionText.SetStandardValue(
            GetDockingImageSetColor(L"DockingPane", L"ActiveCaptionText"));
        m_bLunaColorsInEffect = TRUE;
        return;
    }
    const int entries[] = {54, 51, 20};
    const COLORREF colors[] = {RGB(101, 147, 207), RGB(191, 219, 255), RGB(255, 255, 255)};
    SetColors(3, entries, colors);
    m_clrNormalCaption.SetStandardValue(RGB(227, 239, 255), RGB(175, 210, 255), 0.25f);
    m_clrSplitterFace.SetStandardValue(RGB(216, 231, 252));
    const COLORREF shadow = GetColor(38);
    // The blue row, whatever the scheme; the splitter colours are the fixed ones.
    ApplySchemeColors(1);
    m_clrSplitterFace.SetStandardValue(RGB(216, 231, 252));
    m_clrSplitter.SetStandardValue(shadow);
    m_clrSplitterGradient.SetStandardValue(RGB(190, 218, 254), RGB(100, 143, 203), 0.5f);
    m_clrNormalCaption.SetStandardValue(RGB(227, 239, 255), RGB(175, 210, 255), 0.25f);
    m_bLunaColorsInEffect = TRUE;
    m_clrActiveCaption.SetStandardValue(RGB(255, 231, 162), RGB(255, 166, 76), 0.5f);
    m_clrNormalCaptionText.SetStandardValue(RGB(8, 55, 114));
    m_clrActiveCaptionText.SetStandardValue(RGB(8, 55, 114));
}

void CUTKDockingPaneOffice2007Theme::DrawCaption(CDC* dc, DockingCaptionOwner* container,
                                                 CRect rect)
{
    const BOOL vertical = container->IsCaptionVertical();
    const BOOL active = IsOwnerActive(container);
    const CRect caption = GetOfficeCaptionRect(container, rect);
    FillCaptionGradient(dc, caption, active, vertical);
    DrawCaptionPart(dc, container, caption, container->GetTitle(), active, vertical);
}

}  // namespace UTKDockingPanePaintThemes
