// The two tab colour sets the Visual Studio 2005 docking themes give their strips.
#include "toolkit/dockingpane/CUTKDockingPaneVisualStudio2005Beta1Theme.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKDrawHelpers.h"
#include "toolkit/tabmanager/CUTKTabManager.h"
#include "toolkit/tabmanager/CUTKTabManagerItem.h"

namespace UTKDockingPanePaintThemes {

using Beta1 = CUTKDockingPaneVisualStudio2005Beta1Theme;

void Beta1::CColorSetVisualStudio2005::RefreshMetrics()
{
    CUTKTabPaintManager::CColorSetOffice2003::RefreshMetrics();
    m_clrFrameBorder.SetStandardValue(Sys(m_bPaneSet ? COLOR_WINDOWTEXT : COLOR_3DDKSHADOW));
    if (m_bPaneSet) {
        m_clrButtonSelected.SetStandardValue(
            CUTKColorManager::MixColors(Sys(COLOR_HIGHLIGHT), Sys(COLOR_WINDOW), 2));
    }
    const COLORREF face = Sys(COLOR_BTNFACE);
    m_clrHeaderFace.SetStandardValue(
        face, CUTKColorManager::MixColors(face, Sys(COLOR_WINDOW), 205), 0.5f);
    m_bLunaDrawing = FALSE;
    switch (GetColorManager()->GetCurrentSystemTheme()) {
    case CUTKColorManager::schemeLunaBlue:
    case CUTKColorManager::schemeLunaOlive:
        m_clrHeaderFace.SetStandardValue(RGB(229, 229, 215), RGB(244, 241, 231), 0.5f);
        m_bLunaDrawing = TRUE;
        m_clrButtonHighlight.SetStandardValue(RGB(255, 255, 255));
        break;
    case CUTKColorManager::schemeLunaSilver:
        m_clrHeaderFace.SetStandardValue(RGB(215, 215, 229), RGB(243, 243, 247), 0.5f);
        m_clrFrameBorder.SetStandardValue(RGB(145, 155, 156));
        m_clrPageBorder.SetStandardValue(RGB(190, 190, 216));
        m_clrButtonNormal.SetStandardValue(RGB(242, 242, 247));
        break;
    default:
        break;
    }
    m_clrAutoHideFace = m_clrHeaderFace;
}

void Beta1::CColorSetVisualStudio2005::FillHeader(CDC* dc, CRect rect, CUTKTabManager* manager)
{
    (void)manager;
    // Spread over the top-level window of the strip, so neighbouring strips continue one
    // gradient; a memory DC without a window gets the gradient over the strip alone.
    HWND window = ::WindowFromDC(dc->m_hDC);
    HWND frame = window != nullptr ? ::GetAncestor(window, GA_ROOT) : nullptr;
    if (frame != nullptr) {
        CUTKDockingPanePaintManager::FillFrameGradient(dc, rect, window, frame, m_clrHeaderFace,
                                                       TRUE);
        return;
    }
    GetDrawHelpers()->GradientFillColorGradient(dc, &rect, m_clrHeaderFace, TRUE, nullptr);
}

COLORREF Beta1::CColorSetVisualStudio2005::FillPropertyButton(CDC* dc, CRect rect,
                                                              CUTKTabManagerItem* item)
{
    if (m_bHideTabs && !(m_bPaneSet && item->IsSelected())) {
        return GetItemColor(item);
    }
    if (m_bLunaDrawing) {
        return CUTKTabPaintManager::CColorSetOffice2003::FillPropertyButton(dc, rect, item);
    }
    return CUTKTabPaintManager::CColorSetDefault::FillPropertyButton(dc, rect, item);
}

void Beta1::CColorSetVisualStudio2003::RefreshMetrics()
{
    CColorSetVisualStudio2005::RefreshMetrics();
    m_bLunaDrawing = FALSE;
    m_bLunaTheme = FALSE;
    const int scheme = GetColorManager()->GetCurrentSystemTheme();
    if (scheme >= CUTKColorManager::schemeLunaBlue && scheme <= CUTKColorManager::schemeLunaSilver) {
        m_clrFrameBorder.SetStandardValue(RGB(113, 111, 100));
        if (!m_bPaneSet) {
            m_clrButtonSelected.SetStandardValue(RGB(113, 111, 100));
        }
    }
}

}  // namespace UTKDockingPanePaintThemes
