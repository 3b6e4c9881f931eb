// Docking theme 11: a 3-pixel frame round captioned panes, solid caption bands. An unset
// colour (no image set) is never painted: the step that would use it is left out.
#include "toolkit/dockingpane/CUTKDockingPaneOffice2007WordTheme.h"

#include "toolkit/dockingpane/DockingCaptionOwner.h"
#include "toolkit/dockingpane/DockingImageSetSeam.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

namespace UTKDockingPanePaintThemes {

namespace {

constexpr int kWordFrame = 3;
constexpr COLORREF kUnset = CUTKPaintManagerColor::unset;

COLORREF Key(LPCWSTR section, LPCWSTR key)
{
    return GetDockingImageSetColor(section, key);
}

}  // namespace

CUTKDockingPaneOffice2007WordTheme::CUTKDockingPaneOffice2007WordTheme()
{
    m_bCaptionBand = FALSE;
    m_bCaptionGripperDots = FALSE;
    m_dwSplitterStyle = 0;
    for (CUTKTabPaintManager* tabs : {m_pPaneTabPaintManager, m_pPanelTabPaintManager}) {
        tabs->SetAppearance(11);
        tabs->m_bHotTracking = TRUE;
    }
    m_nTextCaptionMargin = 2;
    m_nCaptionSplitterIndent = 2;
    m_nSplitterSize = 0;
}

void CUTKDockingPaneOffice2007WordTheme::RefreshMetrics()
{
    CUTKDockingPaneOffice2003Theme::RefreshMetrics();
    struct Entry {
        int index;
        LPCWSTR section;
        LPCWSTR key;
    };
    static const Entry entries[] = {
        {54, L"DockingPane", L"WordSplitter"},
        {51, L"DockingPane", L"WordPaneBackground"},
        {20, L"Window", L"EdgeHighLightColor"},
        {38, L"DockingPane", L"WordPaneBorder"},
        {43, L"DockingPane", L"WordSplitter"},
        {32, L"Window", L"HighlightSelectedBorder"},
        {31, L"Window", L"HighlightSelected"},
        {50, L"Window", L"HighlightPressedBorder"},
        {33, L"Window", L"HighlightPressed"},
    };
    for (const Entry& entry : entries) {
        // The table has no custom value: a missing key keeps the entry's colour.
        const COLORREF color = Key(entry.section, entry.key);
        if (color != kUnset) {
            SetColors(1, &entry.index, &color);
        }
    }
    const int black[] = {45, 47};
    const COLORREF zero[] = {RGB(0, 0, 0), RGB(0, 0, 0)};
    SetColors(2, black, zero);
    m_bLunaColorsInEffect = FALSE;
    m_clrSplitterGradient.SetStandardSolid(Key(L"DockingPane", L"WordSplitter"));
    m_clrSplitterFace.SetStandardValue(m_clrSplitterGradient.clrDark.GetStandardColor());
    m_clrNormalCaption.SetStandardSolid(Key(L"DockingPane", L"WordNormalCaption"));
    m_clrNormalCaptionText.SetStandardValue(Key(L"DockingPane", L"WordCaptionText"));
    m_clrActiveCaptionText.SetStandardValue(Key(L"DockingPane", L"WordCaptionText"));
    m_clrActiveCaption.SetStandardSolid(Key(L"DockingPane", L"WordActiveCaption"));
    m_clrSplitter.SetStandardValue(m_clrNormalCaptionText.GetColor());
}

void CUTKDockingPaneOffice2007WordTheme::AdjustClientRect(DockingCaptionOwner* container,
                                                          CRect& rect, BOOL apply)
{
    if (container->IsCaptionVisible()) {
        rect.DeflateRect(kWordFrame, kWordFrame);
    }
    CUTKDockingPaneOffice2003Theme::AdjustClientRect(container, rect, apply);
}

void CUTKDockingPaneOffice2007WordTheme::DrawPane(CDC* dc, DockingCaptionOwner* container,
                                                  CRect rect)
{
    if (container->IsCaptionVisible()) {
        const COLORREF frame = GetColor(54);
        const COLORREF border = GetColor(38);
        dc->Draw3dRect(&rect, frame, frame);
        rect.DeflateRect(1, 1);
        dc->Draw3dRect(&rect, frame, frame);
        rect.DeflateRect(1, 1);
        dc->Draw3dRect(&rect, border, border);
        rect.DeflateRect(1, 1);
    }
    CUTKDockingPaneOffice2003Theme::DrawPane(dc, container, rect);
}

void CUTKDockingPaneOffice2007WordTheme::DrawCaption(CDC* dc, DockingCaptionOwner* container,
                                                     CRect rect)
{
    const BOOL vertical = container->IsCaptionVertical();
    const BOOL active = IsOwnerActive(container);
    const CRect caption = GetOfficeCaptionRect(container, rect);
    const COLORREF fill = (active ? m_clrActiveCaption : m_clrNormalCaption).clrLight;
    if (fill != kUnset) {
        dc->FillSolidRect(&caption, fill);
    }
    DrawCaptionPart(dc, container, caption, container->GetTitle(), active, vertical);
}

void CUTKDockingPaneOffice2007WordTheme::DrawSplitter(CDC* dc, CRect client, BOOL horizontal,
                                                      HWND splitter, HWND frame)
{
    if (m_clrSplitterFace.GetColor() == kUnset) {
        dc->FillSolidRect(&client, GetColor(54));
        return;
    }
    CUTKDockingPaneOffice2003Theme::DrawSplitter(dc, client, horizontal, splitter, frame);
}

void CUTKDockingPaneOffice2007WordTheme::DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner,
                                                         CRect rect, const CString& title,
                                                         BOOL active, BOOL vertical)
{
    COLORREF text = active ? m_clrActiveCaptionText : m_clrNormalCaptionText;
    if (text == kUnset) {
        text = GetColor(COLOR_BTNTEXT);
    }
    DrawCaptionButtons(dc, owner->GetCaptionButtons(), rect, text, 16, 0, vertical);
    dc->SetTextColor(IsCaptionEnabled(owner) ? text : m_clrDisabledCaptionText.GetColor());
    if (vertical) {
        rect.left += 1;
        rect.top += 2;
    } else {
        rect.left += 2;
        rect.top += 1;
    }
    DrawCaptionIcon(dc, owner, rect, vertical);
    (void)DrawCaptionText(dc, title, rect, vertical, FALSE);
}

}  // namespace UTKDockingPanePaintThemes
