// Docking theme 7: Office 2003 colours with the Outlook caption font and inactive captions.
#include "toolkit/dockingpane/CUTKDockingPaneOffice2003OutlookTheme.h"

#include "toolkit/common/CUTKColorManager.h"
#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/common/UTKDrawFunctions.h"

namespace UTKDockingPanePaintThemes {

CUTKDockingPaneOffice2003OutlookTheme::CUTKDockingPaneOffice2003OutlookTheme()
{
    m_bCaptionGripperDots = FALSE;
    m_bCaptionBand = FALSE;
    m_nTextCaptionMargin = 3;
}

void CUTKDockingPaneOffice2003OutlookTheme::RefreshMetrics()
{
    CUTKDockingPaneOffice2003Theme::RefreshMetrics();
    if (m_bUseSystemCaptionFont) {
        LOGFONTW font = {};
        (void)GetIconLogFont(&font);
        font.lfCharSet = GetResourceManager()->GetFontCharset();
        lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
        font.lfWeight = FW_BOLD;
        font.lfHeight = 20;
        SetCaptionFont(&font, TRUE);
    }
    if (m_bLunaColorsInEffect) {
        m_clrNormalCaption.SetStandardFrom(GetColorManager()->GetGradient(1));
        m_clrNormalCaptionText.SetStandardValue(RGB(255, 255, 255));
    } else {
        m_clrNormalCaption.SetStandardValue(
            CUTKColorManager::MixColors(GetColor(COLOR_BTNSHADOW), GetColor(COLOR_WINDOW), 205),
            GetColor(COLOR_BTNSHADOW), 0.5f);
    }
}

}  // namespace UTKDockingPanePaintThemes
