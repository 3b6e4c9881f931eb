// CUTKPaintManager: fonts from the system's metrics, the text height they give, and the control
// metrics derived from it (control height, split drop-down height, icon sizes, fitted images).
#include "toolkit/themes/CUTKPaintManager.h"

#include "toolkit/common/CUTKImageManagerIcon.h"
#include "toolkit/common/CUTKResourceManager.h"
#include "toolkit/common/NonClientMetrics.h"
#include "toolkit/common/OSVersionInfo.h"
#include "toolkit/common/UTKDrawFunctions.h"

#include <algorithm>

namespace {

constexpr BYTE kClearTypeQuality = 5;  // CLEARTYPE_QUALITY
constexpr int kSmallestMenuFont = -11;

BOOL UseClearType(BOOL clearTypeOn)
{
    return clearTypeOn && GetOSVersionInfo()->IsWinXPOrGreater();
}

}  // namespace

void CUTKPaintManager::BuildCommonLogFont(const NONCLIENTMETRICSW& metrics, BYTE charset,
                                          BOOL clearType, LOGFONT* logFont)
{
    if (logFont == nullptr) {
        return;
    }
    *logFont = LOGFONT{};
    const LOGFONTW& menu = metrics.lfMenuFont;
    logFont->lfHeight = menu.lfHeight;
    // Menu fonts smaller than 11 pixels are hard to read on bars: raise them.
    if (logFont->lfHeight < 0 && logFont->lfHeight > kSmallestMenuFont) {
        logFont->lfHeight = kSmallestMenuFont;
    }
    logFont->lfWeight = menu.lfWeight;
    logFont->lfItalic = menu.lfItalic;
    logFont->lfQuality = menu.lfQuality;
    ::lstrcpynW(logFont->lfFaceName, menu.lfFaceName, LF_FACESIZE);
    logFont->lfCharSet = charset;
    if (UseClearType(clearType)) {
        logFont->lfQuality = kClearTypeQuality;
    }
}

void CUTKPaintManager::RefreshFonts()
{
    NonClientMetrics metrics;
    const BYTE charset = GetResourceManager()->GetFontCharset();
    const BOOL clearType = UseClearType(m_bClearTypeTextQuality);

    if (m_bUseStandardFont) {
        LOGFONT common{};
        BuildCommonLogFont(metrics, charset, m_bClearTypeTextQuality, &common);
        SetCommonFonts(&common, TRUE);
    }

    LOGFONTW iconTitle{};
    GetIconLogFont(&iconTitle);
    LOGFONTW smallCaption = metrics.lfSmCaptionFont;
    LOGFONTW status = metrics.lfStatusFont;
    for (LOGFONTW* font : {&iconTitle, &smallCaption, &status}) {
        font->lfCharSet = charset;
        if (clearType) {
            font->lfQuality = kClearTypeQuality;
        }
    }
    m_fontSmCaption.SetStandardFont(&smallCaption);
    m_fontIconTitle.SetStandardFont(&iconTitle);
    LOGFONTW iconTitleBold = iconTitle;
    iconTitleBold.lfWeight = FW_BOLD;
    m_fontIconTitleBold.SetStandardFont(&iconTitleBold);
    m_fontStatus.SetStandardFont(&status);
}

void CUTKPaintManager::SetCommonFonts(const LOGFONT* logFont, BOOL useSystemFont)
{
    m_bUseStandardFont = useSystemFont;
    if (logFont == nullptr) {
        return;
    }
    LOGFONT font = *logFont;
    if (UseClearType(m_bClearTypeTextQuality)) {
        font.lfQuality = kClearTypeQuality;
    }

    m_fontRegular.DeleteObject();
    m_fontBold.DeleteObject();
    m_fontVert.DeleteObject();
    m_fontVertBold.DeleteObject();
    // The bold icon title font is made again by the next RefreshFonts.
    m_fontIconTitleBold.DeleteObject();

    if (::lstrcmpiW(font.lfFaceName, m_strPreferredFace) == 0) {
        m_bPreferredFaceFound = TRUE;
    }
    // Once the system font was the preferred face, keep it even when the system changes.
    if (useSystemFont && m_bPreferredFaceFound && FontExists(m_strPreferredFace)) {
        ::lstrcpynW(font.lfFaceName, m_strPreferredFace, LF_FACESIZE);
    }

    m_fontRegular.CreateFontIndirect(&font);
    LOGFONT bold = font;
    bold.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&bold);

    LOGFONT vertical = font;
    vertical.lfEscapement = 2700;
    vertical.lfOrientation = 900;
    CString face;
    GetDefaultFaceName(face, m_bPreferredFaceFound);
    ::lstrcpynW(vertical.lfFaceName, face, LF_FACESIZE);
    m_fontVert.CreateFontIndirect(&vertical);
    vertical.lfWeight = FW_BOLD;
    m_fontVertBold.CreateFontIndirect(&vertical);

    // Text height from the regular font as the screen renders it.
    HDC screen = ::GetDC(nullptr);
    if (screen != nullptr) {
        HGDIOBJ old = ::SelectObject(screen, m_fontRegular.m_hObject != nullptr
                                                 ? m_fontRegular.m_hObject
                                                 : ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE extent{};
        ::GetTextExtentPoint32W(screen, L" ", 1, &extent);
        ::SelectObject(screen, old);
        ::ReleaseDC(nullptr, screen);
        m_nTextHeight = extent.cy + 6;
    }
}

int CUTKPaintManager::GetControlHeight() const noexcept
{
    return std::max(m_nTextHeight, 22);
}

int CUTKPaintManager::GetSplitDropDownHeight() const noexcept
{
    if (m_nFixedControlHeight > 0) {
        return m_nTextHeight * 2 - 17;
    }
    return std::max(m_nTextHeight + 3, 22) * 2 - 17;
}

CSize CUTKPaintManager::GetAutoIconSize(BOOL bLarge) const noexcept
{
    if (!m_bAutoResizeIcons) {
        return bLarge ? CSize(32, 32) : CSize(16, 16);
    }
    int size = GetControlHeight() - 4;
    if (bLarge) {
        size *= 2;
    }
    size = std::max(size / 8 * 8, 16);
    return CSize(size, size);
}

CSize CUTKPaintManager::FitImageSize(CSize iconSize, int cx, int cy) noexcept
{
    // An icon without an extent has no aspect to keep.
    if (iconSize.cx <= 0 || iconSize.cy <= 0) {
        return CSize(cx, cy);
    }
    if (cy + 1 < cx * iconSize.cy / iconSize.cx) {
        return CSize(cy * iconSize.cx / iconSize.cy, cy);
    }
    return CSize(cx, cx * iconSize.cy / iconSize.cx);
}

CSize CUTKPaintManager::FitImageSize(CUTKImageManagerIcon* pIcon, int cx, int cy)
{
    if (pIcon == nullptr) {
        return CSize(cx, cy);
    }
    return FitImageSize(CSize(pIcon->GetWidth(), pIcon->GetHeight()), cx, cy);
}
