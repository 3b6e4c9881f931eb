// Docking theme 12: the Office 2007 caption band with an outline and a highlight edge.
#include "toolkit/dockingpane/CUTKDockingPaneOffice2007OutlookTheme.h"

#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/common/UTKDrawFunctions.h"
#include "toolkit/dockingpane/DockingCaptionOwner.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneOffice2007OutlookTheme::CUTKDockingPaneOffice2007OutlookTheme()
{
    m_nTextCaptionMargin = 3;
}

void CUTKDockingPaneOffice2007OutlookTheme::RefreshMetrics()
{
    CUTKDockingPaneOffice2007Theme::RefreshMetrics();
    if (!m_bUseSystemCaptionFont) {
        return;
    }
    LOGFONTW font = {};
    (void)GetIconLogFont(&font);
    font.lfCharSet = GetResourceManager()->GetFontCharset();
    if (FontExists(m_strPreferredFace)) {
        lstrcpynW(font.lfFaceName, L"Segoe UI", LF_FACESIZE);
        OSVERSIONINFOW version = {};
        version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        const BOOL known = ::GetVersionExW(&version);
#pragma GCC diagnostic pop
        if (known && (version.dwMajorVersion > 5 ||
                      (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1))) {
            font.lfQuality = CLEARTYPE_QUALITY;
        }
    } else {
        lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
    }
    font.lfWeight = FW_BOLD;
    font.lfHeight = 20;
    SetCaptionFont(&font, TRUE);
}

void CUTKDockingPaneOffice2007OutlookTheme::DrawCaption(CDC* dc,
                                                        DockingCaptionOwner* container,
                                                        CRect rect)
{
    const BOOL vertical = container->IsCaptionVertical();
    const BOOL active = IsOwnerActive(container);
    const CRect caption = GetOfficeCaptionRect(container, rect);
    FillCaptionGradient(dc, caption, active, vertical);
    dc->Draw3dRect(&caption, GetColor(54), GetColor(54));
    const COLORREF highlight = GetColor(COLOR_BTNHIGHLIGHT);
    dc->FillSolidRect(caption.left + 1, caption.top + 1, caption.Width() - 2, 1, highlight);
    dc->FillSolidRect(caption.left + 1, caption.top + 1, 1, caption.Height() - 2, highlight);
    DrawCaptionPart(dc, container, caption, container->GetTitle(), active, vertical);
}

}  // namespace UTKDockingPanePaintThemes
