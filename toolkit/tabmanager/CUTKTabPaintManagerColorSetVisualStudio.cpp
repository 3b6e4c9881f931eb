// The Visual Studio colour sets: the 2003 greys with flat navigate-button frames, and the
// 2005, 2008 and 2010 sets, which keep the Office 2003 colours while scheme colours are on
// and otherwise take their own system and scheme colours.
#include "toolkit/tabmanager/CUTKTabPaintManagerColorSets.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabManagerNavigateButton.h"

using PM = CUTKTabPaintManager;

namespace {

constexpr COLORREF kNearWhite = RGB(253, 253, 253);

BOOL LunaColorsOff(PM* paint)
{
    return paint != nullptr ? paint->IsLunaColorsDisabled()
                            : GetColorManager()->IsLunaColorsDisabled();
}

int PositionOf(CUTKTabManagerItem* item)
{
    CUTKTabManager* manager = item->GetTabManager();
    return manager != nullptr ? manager->GetPosition() : PM::positionTop;
}

}  // namespace

void PM::CColorSetVisualStudio2003::RefreshMetrics()
{
    CColorSetDefault::RefreshMetrics();
    const int appearance = m_pPaintManager != nullptr ? m_pPaintManager->GetAppearance() : 0;
    if (appearance != 4 && appearance != 7) {
        m_clrHeaderFace.SetStandardSolid(Sys(48));
    }
    if (appearance == 5) {
        m_clrButtonText.SetStandardValue(Sys(49));
        m_clrButtonTextInactive.SetStandardValue(Sys(49));
    }
    m_clrAutoHideFace = m_clrHeaderFace;
    m_clrAutoHideFace.clrDark.SetStandardValue(
        IsLowResolutionDC(nullptr) ? Sys(COLOR_BTNFACE) : m_clrHeaderFace.clrDark.GetColor());
}

void PM::CColorSetVisualStudio2003::FillNavigateButton(CDC* dc,
                                                       CUTKTabManagerNavigateButton* button,
                                                       CRect& rect)
{
    const int appearance = m_pPaintManager != nullptr ? m_pPaintManager->GetAppearance() : 0;
    if (appearance == 4 || appearance == 7) {
        CColorSetDefault::FillNavigateButton(dc, button, rect);
        return;
    }
    if (button->IsEnabled()) {
        if (button->IsPressed()) {
            dc->Draw3dRect(&rect, Sys(COLOR_BTNTEXT), Sys(COLOR_BTNFACE));
        } else if (button->IsHot()) {
            dc->Draw3dRect(&rect, Sys(COLOR_BTNFACE), Sys(COLOR_BTNTEXT));
        }
    }
    dc->SetTextColor(Sys(49));
}

void PM::CColorSetVisualStudio2005::RefreshMetrics()
{
    CColorSetOffice2003::RefreshMetrics();
    if (LunaColorsOff(m_pPaintManager)) {
        m_clrButtonSelected.SetStandardValue(Sys(COLOR_WINDOW));
        m_clrSelectedText.SetStandardValue(Sys(COLOR_WINDOWTEXT));
        m_clrButtonHighlighted.SetStandardValue(Sys(36));
        m_clrButtonPressed.SetStandardValue(Sys(33));
        m_clrFrameBorder.SetStandardValue(Sys(57));
        m_clrPageBorder.SetStandardValue(Sys(57));
        switch (GetColorManager()->GetCurrentSystemTheme()) {
        case CUTKColorManager::schemeLunaBlue:
        case CUTKColorManager::schemeLunaOlive:
            m_clrHeaderFace.SetStandardSolid(RGB(228, 226, 213));
            m_bLunaTheme = TRUE;
            break;
        case CUTKColorManager::schemeLunaSilver:
            m_clrHeaderFace.SetStandardSolid(RGB(238, 238, 238));
            m_clrButtonNormal.SetStandardValue(RGB(245, 245, 248));
            m_bLunaTheme = TRUE;
            break;
        default:
            m_bLunaTheme = FALSE;
            break;
        }
        m_clrAutoHideFace = m_clrHeaderFace;
    }
    m_bGradientButton = m_bLunaTheme;
}

COLORREF PM::CColorSetVisualStudio2005::GetFaceColor(CUTKTabManagerItem* item)
{
    if (m_pPaintManager != nullptr && m_pPaintManager->m_bOneNoteColors) {
        return item->GetColor();
    }
    return item->IsHot() ? m_clrButtonHighlighted.GetColor() : GetItemColor(item);
}

COLORREF PM::CColorSetVisualStudio2005::FillPropertyButton(CDC* dc, CRect rect,
                                                           CUTKTabManagerItem* item)
{
    const COLORREF face = GetFaceColor(item);
    if (m_bGradientButton) {
        GradientFill(dc, rect, CUTKColorManager::MixColors(face, RGB(255, 255, 255), 30), face,
                     PositionOf(item));
    } else {
        dc->FillSolidRect(&rect, face);
    }
    return face;
}

void PM::CColorSetVisualStudio2008::RefreshMetrics()
{
    CColorSetOffice2003::RefreshMetrics();
    if (LunaColorsOff(m_pPaintManager)) {
        m_clrButtonSelected.SetStandardValue(Sys(COLOR_BTNFACE));
        m_clrButtonNormal.SetStandardValue(Sys(COLOR_BTNFACE));
        m_clrButtonHighlighted.SetStandardValue(Sys(COLOR_WINDOW));
        m_clrSelectedText.SetStandardValue(Sys(COLOR_WINDOWTEXT));
        m_clrHeaderFace.SetStandardSolid(Sys(COLOR_BTNFACE));
        struct Scheme {
            COLORREF selected;
            COLORREF hot;
            COLORREF border;
        };
        Scheme scheme = {RGB(193, 210, 238), RGB(167, 191, 227), RGB(152, 181, 226)};
        const int number = GetColorManager()->GetCurrentSystemTheme();
        switch (number) {
        case CUTKColorManager::schemeLunaOlive:
            scheme = {RGB(182, 198, 141), RGB(175, 175, 142), RGB(147, 160, 112)};
            break;
        case CUTKColorManager::schemeLunaSilver:
            scheme = {RGB(225, 226, 236), RGB(255, 201, 128), RGB(147, 145, 176)};
            break;
        case CUTKColorManager::schemeAero:
            scheme = {RGB(210, 230, 250), RGB(129, 208, 241), RGB(105, 161, 191)};
            m_clrButtonNormal.SetStandardValue(RGB(152, 180, 210));
            break;
        default:
            break;
        }
        m_clrButtonSelected.SetStandardValue(scheme.selected);
        m_clrButtonHighlighted.SetStandardValue(scheme.hot);
        m_clrFrameBorder.SetStandardValue(scheme.border);
        m_clrPageBorder.SetStandardValue(scheme.border);
        m_bLunaTheme = number >= CUTKColorManager::schemeLunaBlue &&
                       number <= CUTKColorManager::schemeAero;
        m_clrAutoHideFace = m_clrHeaderFace;
    }
    m_bGradientButton = m_bLunaTheme;
}

COLORREF PM::CColorSetVisualStudio2008::GetFaceColor(CUTKTabManagerItem* item)
{
    if (m_pPaintManager != nullptr && m_pPaintManager->m_bOneNoteColors) {
        return item->GetColor();
    }
    if (item->IsHot() && !item->IsSelected()) {
        return m_clrButtonHighlighted;
    }
    return GetItemColor(item);
}

COLORREF PM::CColorSetVisualStudio2008::FillPropertyButton(CDC* dc, CRect rect,
                                                           CUTKTabManagerItem* item)
{
    const COLORREF face = GetFaceColor(item);
    if (item->IsSelected() || m_bGradientButton) {
        GradientFill(dc, rect, kNearWhite, face, PositionOf(item));
    } else {
        dc->FillSolidRect(&rect, face);
    }
    return face;
}

void PM::CColorSetVisualStudio2010::RefreshMetrics()
{
    CColorSetOffice2003::RefreshMetrics();
    m_clrButtonSelected.SetStandardValue(Sys(COLOR_WINDOW));
    m_clrButtonHighlighted.SetStandardValue(Sys(COLOR_WINDOW));
    m_clrButtonNormal.SetStandardValue(Sys(COLOR_BTNFACE));
    m_clrButtonPressed.SetStandardValue(Sys(33));
    m_clrSelectedText.SetStandardValue(Sys(COLOR_WINDOWTEXT));
    m_clrHeaderFace.SetStandardSolid(Sys(COLOR_BTNFACE));
    m_clrFrameBorder.SetStandardValue(Sys(57));
    m_clrPageBorder.SetStandardValue(Sys(57));
    m_clrAutoHideFace = m_clrHeaderFace;
    m_bLunaTheme = FALSE;
    m_bGradientButton = FALSE;
}
