// Docking theme 2, and the Office 2003 colours that themes 7, 10, 11 and 12 start from.
#include "toolkit/dockingpane/CUTKDockingPaneOffice2003Theme.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/dockingpane/DockingCaptionOwner.h"
#include "toolkit/tabmanager/CUTKTabPaintManager.h"

#include <iterator>

namespace UTKDockingPanePaintThemes {

namespace {

// Colour table entries the scheme rows override, in the rows' order.
constexpr int kSchemeEntries[] = {38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47};
constexpr int kSchemeEntryCount = static_cast<int>(std::size(kSchemeEntries));

struct SchemeRow {
    COLORREF light;
    COLORREF dark;
    float factor;
    COLORREF splitterFace;
    COLORREF entries[kSchemeEntryCount];
};

constexpr SchemeRow kBlue = {
    RGB(221, 236, 254), RGB(129, 169, 226), 0.75f, RGB(216, 231, 252),
    {RGB(39, 65, 118), RGB(106, 140, 203), RGB(109, 150, 208), RGB(246, 246, 246),
     RGB(0, 45, 150), RGB(255, 238, 194), RGB(0, 0, 128), RGB(0, 0, 128), RGB(0, 0, 128),
     RGB(254, 128, 62), RGB(255, 192, 111), RGB(158, 190, 245), RGB(0, 0, 0)}};
constexpr SchemeRow kOlive = {
    RGB(244, 247, 222), RGB(183, 198, 145), 0.3f, RGB(226, 231, 191),
    {RGB(81, 94, 51), RGB(96, 128, 88), RGB(159, 174, 122), RGB(244, 244, 238),
     RGB(117, 141, 94), RGB(255, 238, 194), RGB(63, 93, 56), RGB(63, 93, 56), RGB(63, 93, 56),
     RGB(254, 128, 62), RGB(255, 192, 111), RGB(217, 217, 167), RGB(0, 0, 0)}};
constexpr SchemeRow kSilver = {
    RGB(249, 249, 255), RGB(156, 155, 183), 0.75f, RGB(223, 223, 234),
    {RGB(84, 84, 117), RGB(110, 109, 143), RGB(168, 167, 190), RGB(253, 250, 255),
     RGB(124, 124, 148), RGB(255, 238, 194), RGB(75, 75, 111), RGB(75, 75, 111),
     RGB(75, 75, 111), RGB(254, 128, 62), RGB(255, 192, 111), RGB(215, 215, 229),
     RGB(0, 0, 0)}};

const SchemeRow* RowOf(int scheme)
{
    switch (scheme) {
    case CUTKColorManager::schemeLunaOlive:
        return &kOlive;
    case CUTKColorManager::schemeLunaSilver:
        return &kSilver;
    case CUTKColorManager::schemeLunaBlue:
    case 4:
    case 5:
        return &kBlue;
    default:
        return nullptr;
    }
}

}  // namespace

CUTKDockingPaneOffice2003Theme::CUTKDockingPaneOffice2003Theme()
{
    m_bCaptionGripperDots = TRUE;
    m_bCaptionBand = TRUE;
    m_nTextCaptionMargin = 7;
    m_bBoldCaption = TRUE;
    for (CUTKTabPaintManager* tabs : {m_pPaneTabPaintManager, m_pPanelTabPaintManager}) {
        tabs->SetAppearance(2);
        tabs->SetColor(4);
        tabs->m_bHotTracking = TRUE;
    }
    m_nCaptionButtonStyle = 2;
}

void CUTKDockingPaneOffice2003Theme::ApplySchemeColors(int scheme)
{
    const SchemeRow* row = RowOf(scheme);
    if (row == nullptr) {
        return;
    }
    m_clrNormalCaption.SetStandardValue(row->light, row->dark, row->factor);
    m_clrSplitterFace.SetStandardValue(row->splitterFace);
    SetColors(kSchemeEntryCount, kSchemeEntries, row->entries);
    m_clrSplitter.SetStandardValue(GetColor(38));
    m_bLunaColorsInEffect = TRUE;
    m_clrActiveCaption.SetStandardValue(RGB(255, 213, 140), RGB(255, 166, 76), 0.5f);
    m_clrSplitterGradient.SetStandardFrom(GetColorManager()->GetGradient(1));
}

void CUTKDockingPaneOffice2003Theme::RefreshMetrics()
{
    CUTKDockingPaneVisualStudio2003Theme::RefreshMetrics();
    m_clrNormalCaption.SetStandardValue(
        CUTKColorManager::MixColors(GetColor(COLOR_BTNFACE), GetColor(COLOR_WINDOW), 205),
        GetColor(COLOR_BTNFACE), 0.5f);
    m_clrNormalCaptionText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_clrActiveCaption.SetStandardSolid(GetColor(36));
    m_clrActiveCaptionText.SetStandardValue(GetColor(COLOR_BTNTEXT));
    m_bLunaColorsInEffect = FALSE;

    HDC screen = ::GetDC(nullptr);
    const int bits = screen != nullptr ? ::GetDeviceCaps(screen, BITSPIXEL) : 32;
    if (screen != nullptr) {
        ::ReleaseDC(nullptr, screen);
    }
    if (bits <= 8) {
        m_clrNormalCaption.SetStandardSolid(GetColor(COLOR_BTNFACE));
        m_clrActiveCaption.SetStandardSolid(GetColor(COLOR_HIGHLIGHT));
        m_clrActiveCaptionText.SetStandardValue(GetColor(COLOR_HIGHLIGHTTEXT));
    }
    ApplySchemeColors(GetCurrentSystemTheme());
}

CRect CUTKDockingPaneOffice2003Theme::GetCaptionGripperRect(DockingCaptionOwner* container)
{
    (void)container;
    return CRect(0, 0, 10, m_nCaptionFontHeight);
}

CRect CUTKDockingPaneOffice2003Theme::GetOfficeCaptionRect(DockingCaptionOwner* container,
                                                           CRect rect) const
{
    if (container->IsCaptionVertical()) {
        return CRect(rect.left, rect.top, rect.left + m_nCaptionFontHeight + 3, rect.bottom);
    }
    return CRect(rect.left, rect.top, rect.right, rect.top + m_nCaptionFontHeight + 3);
}

void CUTKDockingPaneOffice2003Theme::FillCaptionGradient(CDC* dc, CRect rect, BOOL active,
                                                         BOOL vertical)
{
    // Across the caption: top to bottom for a horizontal one.
    GetDrawHelpers()->GradientFillColorGradient(
        dc, &rect, active ? m_clrActiveCaption : m_clrNormalCaption, vertical, nullptr);
}

void CUTKDockingPaneOffice2003Theme::DrawCaption(CDC* dc, DockingCaptionOwner* container,
                                                 CRect rect)
{
    const BOOL vertical = container->IsCaptionVertical();
    const BOOL active = IsOwnerActive(container);
    const CRect caption = GetOfficeCaptionRect(container, rect);
    if (m_bCaptionBand) {
        dc->FillSolidRect(&caption, m_clrSplitterFace);
        CRect inner = caption;
        inner.DeflateRect(1, 1);
        const int saved = dc->SaveDC();
        CUTKDrawHelpers::ExcludeCorners(dc, inner);
        FillCaptionGradient(dc, inner, active, vertical);
        dc->RestoreDC(saved);
    } else {
        FillCaptionGradient(dc, caption, active, vertical);
        const COLORREF line = GetColor(54);
        dc->FillSolidRect(caption.left, caption.top, caption.Width(), 1, line);
        dc->FillSolidRect(caption.left, caption.top, 1, caption.Height(), line);
        dc->FillSolidRect(caption.right - 1, caption.top, 1, caption.Height(), line);
    }
    DrawCaptionPart(dc, container, caption, container->GetTitle(), active, vertical);
}

void CUTKDockingPaneOffice2003Theme::DrawCaptionPart(CDC* dc, DockingCaptionOwner* owner,
                                                     CRect rect, const CString& title,
                                                     BOOL active, BOOL vertical)
{
    const COLORREF text = active ? m_clrActiveCaptionText : m_clrNormalCaptionText;
    if (vertical) {
        rect.bottom -= 4;
    } else {
        rect.right -= 4;
    }
    DrawCaptionButtons(dc, owner->GetCaptionButtons(), rect, text, 16, 0, vertical);
    if (m_bCaptionGripperDots) {
        const COLORREF light = GetColor(COLOR_WINDOW);
        const COLORREF dark = GetColor(38);
        if (vertical) {
            const int y = rect.top + 3;
            for (int x = rect.left + 3; x + 3 <= rect.right - 3; x += 4) {
                dc->FillSolidRect(x + 1, y + 1, 2, 2, light);
                dc->FillSolidRect(x, y, 2, 2, dark);
            }
            rect.top += 3 + 3 + 6;
        } else {
            const int x = rect.left + 3;
            for (int y = rect.top + 3; y + 3 <= rect.bottom - 3; y += 4) {
                dc->FillSolidRect(x + 1, y + 1, 2, 2, light);
                dc->FillSolidRect(x, y, 2, 2, dark);
            }
            rect.left += 3 + 3 + 6;
        }
    } else if (vertical) {
        rect.top += 6;
    } else {
        rect.left += 6;
    }
    dc->SetTextColor(IsCaptionEnabled(owner) ? text : m_clrDisabledCaptionText.GetColor());
    DrawCaptionIcon(dc, owner, rect, vertical);
    (void)DrawCaptionText(dc, title, rect, vertical, FALSE);
}

CRect CUTKDockingPaneOffice2003Theme::GetSidePanelCaptionRect(DockingCaptionOwner* panel)
{
    CRect rect = panel->GetOwnerClientRect();
    rect.DeflateRect(1, 1);
    const int thickness = m_nCaptionFontHeight + 2;
    switch (panel->GetDockedSide()) {
    case 1:
        rect.left = rect.right - thickness;
        break;
    case 2:
        rect.bottom = rect.top + thickness;
        break;
    case 3:
        rect.top = rect.bottom - thickness;
        break;
    default:
        rect.right = rect.left + thickness;
        break;
    }
    return rect;
}

void CUTKDockingPaneOffice2003Theme::DrawSidePanel(CDC* dc, DockingCaptionOwner* panel,
                                                   CRect rect)
{
    const BOOL active = IsOwnerActive(panel);
    const CUTKPaintManagerColorGradient& gradient = active ? m_clrActiveCaption : m_clrNormalCaption;
    dc->FillSolidRect(&rect, gradient.clrDark);
    dc->Draw3dRect(&rect, GetColor(COLOR_WINDOWFRAME), GetColor(COLOR_WINDOWFRAME));
    const int side = panel->GetDockedSide();
    const BOOL vertical = side == 0 || side == 1;
    const CRect strip = GetSidePanelCaptionRect(panel);
    GetDrawHelpers()->GradientFillColorGradient(dc, &strip, gradient, vertical, nullptr);
    DrawCaptionPart(dc, panel, strip, panel->GetTitle(), active, vertical);
}

void CUTKDockingPaneOffice2003Theme::DrawFloatingFrame(CDC* dc, DockingCaptionOwner* frame,
                                                       CRect rect)
{
    const COLORREF border = GetColor(43);
    for (int i = 0; i < 3; ++i) {
        dc->Draw3dRect(&rect, border, border);
        if (i < 2) {
            rect.DeflateRect(1, 1);
        }
    }
    // The innermost frame again in the inactive caption's dark colour, corners kept.
    const COLORREF dark = m_clrNormalCaption.clrDark;
    dc->FillSolidRect(rect.left + 1, rect.top, rect.Width() - 2, 1, dark);
    dc->FillSolidRect(rect.left + 1, rect.bottom - 1, rect.Width() - 2, 1, dark);
    dc->FillSolidRect(rect.left, rect.top + 1, 1, rect.Height() - 2, dark);
    dc->FillSolidRect(rect.right - 1, rect.top + 1, 1, rect.Height() - 2, dark);
    rect.DeflateRect(1, 1);
    const BOOL active = IsOwnerActive(frame);
    CRect caption(rect.left, rect.top, rect.right, rect.top + m_nCaptionFontHeight + 3);
    FillCaptionGradient(dc, caption, active, FALSE);
    dc->SetPixel(caption.left, caption.bottom, dark);
    dc->SetPixel(caption.right - 1, caption.bottom, dark);
    caption.DeflateRect(1, 1);
    DrawCaptionPart(dc, frame, caption, frame->GetTitle(), active, FALSE);
}

}  // namespace UTKDockingPanePaintThemes
