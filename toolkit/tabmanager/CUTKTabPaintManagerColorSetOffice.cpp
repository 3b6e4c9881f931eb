// The Office-like colour sets: scheme colours of the Windows XP styles with gradient tab faces
// and navigate buttons (Office 2003), and the sets that read the Office 2007 image set, which
// keep fixed blue colours and the default navigate buttons while it is not loaded.
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSets.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabManagerNavigateButton.h"
#include "toolkit/tabmanager/TabOffice2007Seam.h"

using PM = CUTKTabPaintManager;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

struct SchemeColors {
    COLORREF headerLight;
    COLORREF headerDark;
    COLORREF normal;
    COLORREF hot;
    COLORREF frame;
};

// The fixed colours of a Windows XP scheme; FALSE for a number without any.
BOOL Office2003Scheme(int scheme, SchemeColors& colors)
{
    switch (scheme) {
    case CUTKColorManager::schemeLunaOlive:
        colors = {RGB(242, 241, 228), RGB(252, 254, 254), RGB(208, 222, 170), RGB(255, 240, 199),
                  RGB(63, 93, 56)};
        return TRUE;
    case CUTKColorManager::schemeLunaSilver:
        colors = {RGB(243, 243, 247), RGB(252, 254, 254), RGB(217, 217, 230), RGB(255, 238, 194),
                  RGB(75, 75, 111)};
        return TRUE;
    case CUTKColorManager::schemeLunaBlue:
    case CUTKColorManager::schemeRoyale:
    case CUTKColorManager::schemeAero:
        colors = {RGB(196, 218, 250), RGB(252, 253, 254), RGB(162, 192, 246), RGB(255, 240, 201),
                  RGB(0, 0, 128)};
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void PM::CColorSetOffice2003::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    const COLORREF face = Sys(COLOR_BTNFACE);
    m_clrHeaderFace.SetStandardValue(face, CUTKColorManager::MixColors(face, Sys(COLOR_WINDOW), 205));
    m_clrStateSelectedFill.SetStandardSolid(Sys(36));
    m_clrStateSelectedBorder.SetStandardSolid(Sys(37));
    m_clrButtonHighlighted.SetStandardValue(Sys(36));
    m_clrButtonPressed.SetStandardValue(Sys(33));
    m_clrHighlightText.SetStandardValue(Sys(COLOR_BTNTEXT));
    m_clrNavigateButtonBorder.SetStandardValue(Sys(31));
    m_bLunaTheme = FALSE;

    const BOOL lunaOff = m_pPaintManager != nullptr ? m_pPaintManager->IsLunaColorsDisabled()
                                                    : GetColorManager()->IsLunaColorsDisabled();
    if (!lunaOff) {
        SchemeColors scheme = {};
        if (Office2003Scheme(GetColorManager()->GetCurrentSystemTheme(), scheme)) {
            m_clrHeaderFace.SetStandardValue(scheme.headerLight, scheme.headerDark);
            m_clrButtonNormal.SetStandardValue(scheme.normal);
            m_clrButtonHighlighted.SetStandardValue(scheme.hot);
            m_clrNavigateButtonBorder.SetStandardValue(scheme.frame);
            m_clrButtonSelected.SetStandardValue(RGB(255, 194, 115));
            m_clrButtonPressed.SetStandardValue(RGB(254, 142, 75));
            m_bLunaTheme = TRUE;
        } else {
            m_clrButtonSelected.SetStandardValue(Sys(36));
        }
    }
    if (m_pPaintManager != nullptr && m_pPaintManager->GetAppearance() == 4) {
        m_clrHeaderFace.SetStandardSolid(face);
    }
    m_clrAutoHideFace = m_clrHeaderFace;
}

COLORREF PM::CColorSetOffice2003::GetFaceColor(CUTKTabManagerItem* item)
{
    if (m_pPaintManager != nullptr && m_pPaintManager->m_bOneNoteColors) {
        return item->GetColor();
    }
    CUTKTabManager* manager = item->GetTabManager();
    if (manager != nullptr && manager->GetPressedItem() == item) {
        return m_clrButtonPressed;
    }
    if (item->IsHot() && !item->IsSelected()) {
        return m_clrButtonHighlighted;
    }
    return GetItemColor(item);
}

COLORREF PM::CColorSetOffice2003::FillPropertyButton(CDC* dc, CRect rect,
                                                     CUTKTabManagerItem* item)
{
    const COLORREF face = GetFaceColor(item);
    CUTKTabManager* manager = item->GetTabManager();
    GradientFill(dc, rect, CUTKColorManager::MixColors(face, kWhite, 30), face,
                 manager != nullptr ? manager->GetPosition() : positionTop);
    return face;
}

void PM::CColorSetOffice2003::FillNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button,
                                                 CRect& rect)
{
    dc->SetTextColor(Sys(COLOR_BTNTEXT));
    if (!button->IsEnabled()) {
        return;
    }
    const BOOL pressed = button->IsPressed();
    if (!pressed && !button->IsHot()) {
        return;
    }
    if (m_bLunaTheme) {
        if (pressed) {
            GetDrawHelpers()->GradientFill(dc, &rect, RGB(254, 142, 75), RGB(255, 207, 139), FALSE);
        } else {
            GetDrawHelpers()->GradientFill(dc, &rect, RGB(255, 242, 200), RGB(255, 212, 151), FALSE);
        }
        dc->Draw3dRect(&rect, m_clrNavigateButtonBorder, m_clrNavigateButtonBorder);
        return;
    }
    const COLORREF fill = Sys(pressed ? 50 : 32);
    const COLORREF frame = Sys(pressed ? 33 : 31);
    dc->FillSolidRect(&rect, fill);
    dc->Draw3dRect(&rect, frame, frame);
    dc->SetTextColor(Sys(pressed ? 47 : 45));
}

BOOL PM::CColorSetOffice2007::ReadImageSetColors()
{
    if (!TabOffice2007IsLoaded()) {
        return FALSE;
    }
    COLORREF color = 0;
    if (TabOffice2007GetColor(L"TabManager", L"FrameBorder", color)) {
        m_clrFrameBorder.SetStandardValue(color);
        m_clrPageBorder.SetStandardValue(color);
    }
    if (TabOffice2007GetColor(L"TabManager", L"DarkShadow", color)) {
        m_csPropertyPage3DDarkShadow.SetStandardValue(color);
        m_clrTabBorder.SetStandardValue(color);
    }
    if (TabOffice2007GetColor(L"TabManager", L"LightShadow", color)) {
        m_csPropertyPage3DShadow.SetStandardValue(color);
        m_clrTabLightEdge.SetStandardValue(color);
        m_clrTabLightEdge2.SetStandardValue(kWhite);
    }
    if (TabOffice2007GetColor(L"Ribbon", L"RibbonFace", color)) {
        m_clrHeaderFace.SetStandardSolid(color);
    }
    if (TabOffice2007GetColor(L"Window", L"ButtonFace", color)) {
        m_clrButtonNormal.SetStandardValue(color);
    }
    if (TabOffice2007GetColor(L"Window", L"HighlightChecked", color)) {
        m_clrButtonSelected.SetStandardValue(color);
    }
    if (TabOffice2007GetColor(L"Window", L"HighlightSelected", color)) {
        m_clrButtonHighlighted.SetStandardValue(color);
    }
    if (TabOffice2007GetColor(L"Window", L"WindowFrame", color)) {
        m_clrNavigateButtonBorder.SetStandardValue(color);
    }
    if (TabOffice2007GetColor(L"Ribbon", L"TabNormalText", color)) {
        m_clrButtonText.SetStandardValue(color);
        m_clrHighlightText.SetStandardValue(color);
    }
    if (TabOffice2007GetColor(L"Ribbon", L"TabSelectedText", color)) {
        m_clrSelectedText.SetStandardValue(color);
    }
    return TRUE;
}

void PM::CColorSetOffice2007::RefreshMetrics()
{
    CColorSetOffice2003::RefreshMetrics();
    m_clrNavigateButtonBackgroundText.SetStandardValue(CUTKPaintManagerColor::unset);
    if (!ReadImageSetColors()) {
        m_clrFrameBorder.SetStandardValue(RGB(59, 97, 156));
        m_clrPageBorder.SetStandardValue(RGB(59, 97, 156));
        m_csPropertyPage3DDarkShadow.SetStandardValue(RGB(0, 53, 154));
        m_clrTabBorder.SetStandardValue(RGB(0, 53, 154));
    }
    m_clrAutoHideFace = m_clrHeaderFace;
}

void PM::CColorSetOffice2007::FillNavigateButton(CDC* dc, CUTKTabManagerNavigateButton* button,
                                                 CRect& rect)
{
    if (TabOffice2007IsLoaded()) {
        const COLORREF glyph = m_clrNavigateButtonBackgroundText;
        dc->SetTextColor(glyph != CUTKPaintManagerColor::unset ? glyph : Sys(COLOR_BTNTEXT));
        if (!button->IsEnabled() || (!button->IsPressed() && !button->IsHot())) {
            return;
        }
        const int state = button->IsPressed() ? 2 : 1;
        if (TabOffice2007DrawImage(dc, L"TOOLBARBUTTONS22", rect, state, 4, CRect(8, 8, 8, 8),
                                   CUTKPaintManagerColor::unset)) {
            return;
        }
    }
    // Without the image set (or the image): the default set's buttons.
    CColorSetDefault::FillNavigateButton(dc, button, rect);
}

void PM::CColorSetOffice2007Access::RefreshMetrics()
{
    CColorSetOffice2007::RefreshMetrics();
    // Disabled tabs keep their grey: black would make them look enabled.
    const COLORREF black = RGB(0, 0, 0);
    for (CUTKPaintManagerColor* text : {&m_clrButtonText, &m_clrButtonTextInactive,
                                        &m_clrSelectedText, &m_clrHighlightText}) {
        text->SetStandardValue(black);
    }
    if (TabOffice2007IsLoaded()) {
        COLORREF color = 0;
        if (TabOffice2007GetColor(L"TabManager", L"AccessBorder", color)) {
            m_clrFrameBorder.SetStandardValue(color);
            m_clrPageBorder.SetStandardValue(color);
        }
        if (TabOffice2007GetColor(L"TabManager", L"AccessHeader", color)) {
            m_clrHeaderFace.SetStandardSolid(color);
        }
        if (TabOffice2007GetColor(L"Ribbon", L"TabNormalText", color)) {
            m_clrNavigateButtonBackgroundText.SetStandardValue(color);
        }
    }
    m_clrAutoHideFace = m_clrHeaderFace;
}
